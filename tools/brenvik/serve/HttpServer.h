// The front end's HTTP server: carries every request to the routes and their answers back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/brenvik/serve/Routes.h"

namespace httplib {
class Server;
}

namespace brenvik::tool::serve {

class HttpServer {
 public:
  explicit HttpServer(AppletSession& session);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds to the address and port (0: any free port); the port bound, or -1 when binding
  // failed.
  int bind(const std::string& address, int port);
  // Serves until stop(); call after bind.
  bool serve();
  void stop();

 private:
  Routes routes_;
  std::unique_ptr<httplib::Server> server_;
};

}  // namespace brenvik::tool::serve
