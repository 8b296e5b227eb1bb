// libFuzzer target for the front end's routes: the input is a request, its method, path,
// Host and Origin headers and body as zero-separated pieces (a first byte that is odd puts
// the server's own address in Host, so that most inputs get past the address check). Every
// request is answered with one of the statuses the API names, and every JSON answer parses.
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "brenvik/Applet.h"
#include "tools/brenvik/serve/Routes.h"

namespace {

using brenvik::test::require;
using brenvik::tool::serve::AppletSession;
using brenvik::tool::serve::Request;
using brenvik::tool::serve::Routes;

constexpr const char* kAddress = "127.0.0.1";
constexpr int kPort = 8080;
constexpr std::uint64_t kBoard = 0xf022;

std::unique_ptr<AppletSession> session;
std::unique_ptr<Routes> routes;

std::vector<std::string> pieces(std::string_view input, std::size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const std::size_t end = input.find('\0');
    if (end == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  parts.emplace_back(input);
  parts.resize(count);
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  brenvik::OpenOptions options;
  options.board = kBoard;
  auto applet = std::make_unique<brenvik::Applet>(options);
  // Pictures as soon as they are asked for, so that the preview route answers at once.
  applet->board().setPaced(false);
  session = std::make_unique<AppletSession>(std::move(applet));
  routes = std::make_unique<Routes>(*session);
  routes->ownAddress(kAddress, kPort);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool ownHost = (data[0] & 1) != 0;
  const std::vector<std::string> parts =
      pieces(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), 5);
  Request request{parts[0], parts[1], parts[2], parts[3], parts[4]};
  if (ownHost) request.host = std::string(kAddress) + ":" + std::to_string(kPort);
  const auto reply = routes->handle(request);
  static const std::set<int> kStatuses{200, 400, 403, 404, 405, 413, 422, 503};
  require(kStatuses.contains(reply.status));
  if (reply.type == "application/json") {
    require(!nlohmann::json::parse(reply.body, nullptr, false).is_discarded());
  }
  return 0;
}
