// Routes of the front end: the page, and the JSON API on the applet session.
#include "tools/brenvik/serve/Routes.h"

#include <array>

#include "tools/brenvik/serve/PageAssets.h"

namespace brenvik::tool::serve {

namespace {

using nlohmann::json;

constexpr const char* kJson = "application/json";
constexpr int kRefused = 422;
constexpr std::string_view kParameters = "/api/parameters/";

Reply reply(int status, const json& body) {
  return {status, kJson, body.dump(-1, ' ', false, json::error_handler_t::replace), {}};
}

Reply problem(int status, const std::string& message) {
  return reply(status, {{"message", message}});
}

Reply refusal(const Outcome& outcome) {
  return reply(kRefused, {{"code", outcome.code}, {"message", outcome.message}});
}

}  // namespace

void Routes::ownAddress(std::string address, int port) {
  address_ = std::move(address);
  port_ = port;
}

// A page elsewhere must not drive the board: the Host a request names, and its Origin when
// it has one, must be this server's own address (or localhost for the loopback address).
bool Routes::addressedToUs(const Request& request) const {
  const std::string port = std::to_string(port_);
  const std::array<std::string, 2> ours{
      joined({address_, ":", port}),
      joined({address_ == "127.0.0.1" ? "localhost" : address_, ":", port})};
  const bool hostOk = request.host == ours[0] || request.host == ours[1];
  const bool originOk = request.origin.empty() || request.origin == joined({"http://", ours[0]}) ||
                        request.origin == joined({"http://", ours[1]});
  return hostOk && originOk;
}

Reply Routes::parameterRequest(const Request& request, const std::string& name) {
  if (request.method == "GET") {
    if (auto parameter = session_.parameter(name)) return reply(200, *parameter);
    return problem(404, joined({"no parameter named '", name, "'"}));
  }
  if (request.method != "PUT") return problem(405, "parameters take GET and PUT");
  const json body = json::parse(request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object() || !body.contains("value")) {
    return problem(400, "the body must be JSON of the form {\"value\": V}");
  }
  const SetOutcome outcome = session_.set(name, body["value"]);
  if (!outcome.known) return problem(404, joined({"no parameter named '", name, "'"}));
  if (!outcome.invalidValue.empty()) return problem(400, outcome.invalidValue);
  if (!outcome.applet.ok()) return refusal(outcome.applet);
  return reply(200, outcome.parameter);
}

Reply Routes::handle(const Request& request) {
  if (!addressedToUs(request)) {
    return problem(403, "this server answers requests to its own address only");
  }
  if (request.body.size() > kLargestBody) return problem(413, "the body is too large");
  const std::string& path = request.path;
  const std::string& method = request.method;

  if (method == "GET") {
    for (const PageAsset& asset : pageAssets()) {
      if (path == asset.path || (path == "/" && asset.path == "/index.html")) {
        return {200, std::string(asset.type), std::string(asset.body), {}};
      }
    }
  }
  if (path == "/api/parameters" && method == "GET") return reply(200, session_.parameters());
  if (path.starts_with(kParameters)) {
    // The server hands the path over with its escapes decoded.
    const std::string name = path.substr(kParameters.size());
    if (name.empty() || name.find('/') != std::string::npos)
      return problem(404, "no such parameter");
    return parameterRequest(request, name);
  }
  if (path == "/api/frame.png" && method == "GET") {
    std::string png;
    const Outcome outcome = session_.framePng(png);
    if (!outcome.ok()) {
      return reply(503, {{"code", outcome.code}, {"message", outcome.message}});
    }
    return {200, "image/png", std::move(png), {{"Cache-Control", "no-store"}}};
  }
  if (path == "/api/lut" && method == "GET") {
    return reply(200, {{"entries", session_.lookupTable()}});
  }
  if (path == "/api/trigger/fire" && method == "POST") {
    const Outcome outcome = session_.fireSoftwareTrigger();
    return outcome.ok() ? reply(200, {{"fired", 1}}) : refusal(outcome);
  }
  if (path == "/api/config.mcf" && method == "GET") {
    std::string content;
    const Outcome outcome = session_.saveConfiguration(content);
    if (!outcome.ok()) return refusal(outcome);
    return {200,
            "text/plain",
            std::move(content),
            {{"Content-Disposition", "attachment; filename=\"brenvik.mcf\""}}};
  }
  if (path == "/api/config.mcf" && method == "PUT") {
    const Outcome outcome = session_.loadConfiguration(request.body);
    return outcome.ok() ? reply(200, {{"loaded", true}}) : refusal(outcome);
  }
  if (path == "/api/description.xml" && method == "GET") {
    std::string xml = session_.descriptionXml();
    if (xml.empty()) return problem(503, "the applet renders no description");
    return {200,
            "application/xml",
            std::move(xml),
            {{"Content-Disposition", "attachment; filename=\"Brenvik.xml\""}}};
  }
  return problem(404, "no such resource");
}

}  // namespace brenvik::tool::serve
