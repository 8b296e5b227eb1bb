// The front end's requests and their answers, apart from any network: the server hands every
// request here, and the fuzz target does too. Requests must name this server's own address
// (Host, and Origin when given), bodies are capped, and no request names a file-system path.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tools/brenvik/serve/AppletSession.h"

namespace brenvik::tool::serve {

// Request bodies above this size are refused (a configuration file is a few kilobytes).
inline constexpr std::size_t kLargestBody = 1 << 20;

struct Request {
  std::string method;  // GET, PUT, POST, ...
  std::string path;    // without the query
  std::string host;    // the Host header
  std::string origin;  // the Origin header, empty when the request has none
  std::string body;
};

struct Reply {
  int status = 200;
  std::string type;  // content type
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

class Routes {
 public:
  explicit Routes(AppletSession& session) : session_(session) {}

  // The address and port the server answers on; requests naming another are refused.
  void ownAddress(std::string address, int port);

  Reply handle(const Request& request);

 private:
  bool addressedToUs(const Request& request) const;
  Reply parameterRequest(const Request& request, const std::string& name);

  AppletSession& session_;
  std::string address_;
  int port_ = -1;
};

}  // namespace brenvik::tool::serve
