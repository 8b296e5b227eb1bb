// The front end's HTTP server on cpp-httplib: every request goes to the routes.
#include "tools/brenvik/serve/HttpServer.h"

#include <httplib.h>

namespace brenvik::tool::serve {

HttpServer::HttpServer(AppletSession& session)
    : routes_(session), server_(std::make_unique<httplib::Server>()) {
  server_->set_payload_max_length(kLargestBody);
  const auto carry = [this](const httplib::Request& request, httplib::Response& response) {
    Reply reply = routes_.handle({request.method, request.path, request.get_header_value("Host"),
                                  request.get_header_value("Origin"), request.body});
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) response.set_header(name, value);
    response.set_content(std::move(reply.body), reply.type);
  };
  const char* everything = ".*";
  server_->Get(everything, carry);
  server_->Put(everything, carry);
  server_->Post(everything, carry);
  server_->Delete(everything, carry);
  server_->Patch(everything, carry);
  server_->set_exception_handler(
      [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        response.status = 500;
        response.set_content(R"({"message":"internal failure"})", "application/json");
      });
}

HttpServer::~HttpServer() = default;

int HttpServer::bind(const std::string& address, int port) {
  const int bound = port == 0 ? server_->bind_to_any_port(address)
                              : (server_->bind_to_port(address, port) ? port : -1);
  routes_.ownAddress(address, bound);
  return bound;
}

bool HttpServer::serve() { return server_->listen_after_bind(); }

void HttpServer::stop() { server_->stop(); }

}  // namespace brenvik::tool::serve
