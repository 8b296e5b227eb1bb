// The front end's HTTP server: the embedded page and the JSON API over one applet session.
// It answers only requests addressed to itself (Host and Origin), caps request bodies, and
// names no file-system path in any request.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/brenvik/serve/AppletSession.h"

namespace httplib {
class Server;
}

namespace brenvik::tool::serve {

// Request bodies above this size are refused (a configuration file is a few kilobytes).
inline constexpr std::size_t kLargestBody = 1 << 20;

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
  void routes();
  bool addressedToUs(const std::string& host, const std::string& origin) const;

  AppletSession& session_;
  std::unique_ptr<httplib::Server> server_;
  std::string address_;
  int port_ = -1;
};

}  // namespace brenvik::tool::serve
