// Routes of the front end: the page, and the JSON API on the applet session.
#include "tools/brenvik/serve/HttpServer.h"

#include <httplib.h>

#include <array>

#include "tools/brenvik/serve/PageAssets.h"

namespace brenvik::tool::serve {

namespace {

using nlohmann::json;

constexpr const char* kJson = "application/json";
constexpr int kRefused = 422;

void reply(httplib::Response& response, int status, const json& body) {
  response.status = status;
  response.set_content(body.dump(), kJson);
}

void problem(httplib::Response& response, int status, const std::string& message) {
  reply(response, status, {{"message", message}});
}

void refusal(httplib::Response& response, const Outcome& outcome) {
  reply(response, kRefused, {{"code", outcome.code}, {"message", outcome.message}});
}

}  // namespace

HttpServer::HttpServer(AppletSession& session)
    : session_(session), server_(std::make_unique<httplib::Server>()) {
  server_->set_payload_max_length(kLargestBody);
  routes();
}

HttpServer::~HttpServer() = default;

int HttpServer::bind(const std::string& address, int port) {
  address_ = address;
  port_ = port == 0 ? server_->bind_to_any_port(address) : (server_->bind_to_port(address, port)
                                                                ? port
                                                                : -1);
  return port_;
}

bool HttpServer::serve() { return server_->listen_after_bind(); }

void HttpServer::stop() { server_->stop(); }

// A page elsewhere must not drive the board: the Host a request names, and its Origin when
// it has one, must be this server's own address (or localhost for the loopback address).
bool HttpServer::addressedToUs(const std::string& host, const std::string& origin) const {
  const std::string port = std::to_string(port_);
  const std::array<std::string, 2> ours{
      joined({address_, ":", port}),
      joined({address_ == "127.0.0.1" ? "localhost" : address_, ":", port})};
  const bool hostOk = host == ours[0] || host == ours[1];
  const bool originOk = origin.empty() || origin == joined({"http://", ours[0]}) ||
                        origin == joined({"http://", ours[1]});
  return hostOk && originOk;
}

void HttpServer::routes() {
  httplib::Server& s = *server_;
  s.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
    if (addressedToUs(request.get_header_value("Host"), request.get_header_value("Origin"))) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    problem(response, 403, "this server answers requests to its own address only");
    return httplib::Server::HandlerResponse::Handled;
  });
  s.set_exception_handler([](const httplib::Request&, httplib::Response& response,
                             std::exception_ptr) {
    problem(response, 500, "internal failure");
  });

  for (const PageAsset& asset : pageAssets()) {
    const std::string path = asset.path == "/index.html" ? "/" : std::string(asset.path);
    s.Get(path, [&asset](const httplib::Request&, httplib::Response& response) {
      response.set_content(std::string(asset.body), std::string(asset.type));
    });
  }

  s.Get("/api/parameters", [this](const httplib::Request&, httplib::Response& response) {
    reply(response, 200, session_.parameters());
  });
  s.Get(R"(/api/parameters/([^/]+))",
        [this](const httplib::Request& request, httplib::Response& response) {
          const std::string name = request.matches[1];
          if (auto parameter = session_.parameter(name)) {
            reply(response, 200, *parameter);
          } else {
            problem(response, 404, joined({"no parameter named '", name, "'"}));
          }
        });
  s.Put(R"(/api/parameters/([^/]+))",
        [this](const httplib::Request& request, httplib::Response& response) {
          const std::string name = request.matches[1];
          const json body = json::parse(request.body, nullptr, false);
          if (body.is_discarded() || !body.is_object() || !body.contains("value")) {
            problem(response, 400, "the body must be JSON of the form {\"value\": V}");
            return;
          }
          const SetOutcome outcome = session_.set(name, body["value"]);
          if (!outcome.known) {
            problem(response, 404, joined({"no parameter named '", name, "'"}));
          } else if (!outcome.invalidValue.empty()) {
            problem(response, 400, outcome.invalidValue);
          } else if (!outcome.applet.ok()) {
            refusal(response, outcome.applet);
          } else {
            reply(response, 200, outcome.parameter);
          }
        });

  s.Get("/api/frame.png", [this](const httplib::Request&, httplib::Response& response) {
    std::string png;
    const Outcome outcome = session_.framePng(png);
    if (!outcome.ok()) {
      reply(response, 503, {{"code", outcome.code}, {"message", outcome.message}});
      return;
    }
    response.set_header("Cache-Control", "no-store");
    response.set_content(png, "image/png");
  });
  s.Get("/api/lut", [this](const httplib::Request&, httplib::Response& response) {
    reply(response, 200, {{"entries", session_.lookupTable()}});
  });
  s.Post("/api/trigger/fire", [this](const httplib::Request&, httplib::Response& response) {
    const Outcome outcome = session_.fireSoftwareTrigger();
    if (outcome.ok()) {
      reply(response, 200, {{"fired", 1}});
    } else {
      refusal(response, outcome);
    }
  });

  s.Get("/api/config.mcf", [this](const httplib::Request&, httplib::Response& response) {
    std::string content;
    const Outcome outcome = session_.saveConfiguration(content);
    if (!outcome.ok()) {
      refusal(response, outcome);
      return;
    }
    response.set_header("Content-Disposition", "attachment; filename=\"brenvik.mcf\"");
    response.set_content(content, "text/plain");
  });
  s.Put("/api/config.mcf", [this](const httplib::Request& request, httplib::Response& response) {
    const Outcome outcome = session_.loadConfiguration(request.body);
    if (outcome.ok()) {
      reply(response, 200, {{"loaded", true}});
    } else {
      refusal(response, outcome);
    }
  });
  s.Get("/api/description.xml", [this](const httplib::Request&, httplib::Response& response) {
    const std::string xml = session_.descriptionXml();
    if (xml.empty()) {
      problem(response, 503, "the applet renders no description");
      return;
    }
    response.set_header("Content-Disposition", "attachment; filename=\"Brenvik.xml\"");
    response.set_content(xml, "application/xml");
  });
}

}  // namespace brenvik::tool::serve
