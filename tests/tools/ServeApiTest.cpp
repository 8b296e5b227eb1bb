// The front end's JSON API against a server on a free loopback port: parameters with their
// limits following sets, refusals with code and meaning, configuration files, and hostile
// requests (unknown names, wrong JSON and types, huge bodies, foreign hosts, many clients).
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "BoardJournal.h"
#include "brenvik/Applet.h"
#include "parameters/SdkParameterTable.h"
#include "tools/brenvik/serve/AppletSession.h"
#include "tools/brenvik/serve/HttpServer.h"

namespace brenvik::test {
namespace {

using nlohmann::json;
using tool::serve::AppletSession;
using tool::serve::HttpServer;

constexpr int kReadTimeoutSeconds = 60;

class ServeApi : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenOptions options;
    options.board = board_ = freshBoard();
    session_ = std::make_unique<AppletSession>(std::make_unique<Applet>(options));
    server_ = std::make_unique<HttpServer>(*session_);
    port_ = server_->bind("127.0.0.1", 0);
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_->serve(); });
  }
  void TearDown() override {
    server_->stop();
    if (thread_.joinable()) thread_.join();
  }

  // Generous time-outs: a 1024 x 1024 preview takes a while in the sanitizer builds.
  httplib::Client client() const {
    httplib::Client c("127.0.0.1", port_);
    c.set_read_timeout(kReadTimeoutSeconds);
    return c;
  }

  json parameter(const std::string& name) {
    auto response = client().Get("/api/parameters/" + name);
    EXPECT_TRUE(response);
    return response ? json::parse(response->body) : json();
  }
  httplib::Result put(const std::string& name, const std::string& body) {
    return client().Put("/api/parameters/" + name, body, "application/json");
  }

  std::uint64_t board_ = 0;
  std::unique_ptr<AppletSession> session_;
  std::unique_ptr<HttpServer> server_;
  std::thread thread_;
  int port_ = 0;
};

TEST_F(ServeApi, ListsEveryParameterWithItsDescription) {
  auto response = client().Get("/api/parameters");
  ASSERT_TRUE(response);
  EXPECT_EQ(response->status, 200);
  const json list = json::parse(response->body);
  ASSERT_GT(list.size(), 100u);
  const auto width =
      std::find_if(list.begin(), list.end(), [](const json& p) { return p["name"] == "FG_WIDTH"; });
  ASSERT_NE(width, list.end());
  EXPECT_EQ((*width)["value"], 1024);
  EXPECT_EQ((*width)["category"], "ROI");
  EXPECT_EQ((*width)["step"], 8);
  EXPECT_EQ((*width)["access"], "RW");
  const json format = parameter("FG_FORMAT");
  EXPECT_EQ(format["kind"], "enumeration");
  EXPECT_FALSE(format["entries"].empty());
  // Units arrive in UTF-8.
  EXPECT_EQ(parameter("FG_TRIGGERIN_DEBOUNCE")["unit"], "\xC2\xB5s");
}

TEST_F(ServeApi, EverySdkParameterIsListedAndThoseWithoutRecordAreMarked) {
  auto response = client().Get("/api/parameters");
  ASSERT_TRUE(response);
  const json list = json::parse(response->body);
  for (const parameters::SdkParameter& row : parameters::kSdkParameters) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const json& p) { return p["id"] == row.id; });
    ASSERT_NE(found, list.end()) << row.name;
    EXPECT_EQ((*found)["name"], std::string(row.name));
    if (!(*found)["described"].get<bool>()) {
      EXPECT_EQ((*found)["displayName"], "") << row.name;
      EXPECT_EQ((*found)["access"], "RO") << row.name;
    }
  }
  const json transfer = parameter("FG_TRANSFER_LEN");
  EXPECT_FALSE(transfer["described"].get<bool>());
  // A symbol of another parameter's enumeration names the kind the parameter takes.
  auto wrong = put("FG_FORMAT", R"({"value": "ATM_SOFTWARE"})");
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->status, 400);
  EXPECT_NE(json::parse(wrong->body)["message"].get<std::string>().find("FG_FORMAT takes one of"),
            std::string::npos);
}

TEST_F(ServeApi, SetsGoThroughTheSetPathAndLimitsFollow) {
  auto refused = put("FG_WIDTH", R"({"value": 13})");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 422);
  const json refusal = json::parse(refused->body);
  EXPECT_EQ(refusal["code"], -7080);
  EXPECT_FALSE(refusal["message"].get<std::string>().empty());
  EXPECT_EQ(parameter("FG_WIDTH")["value"], 1024);

  const auto maximumBefore = parameter("FG_XOFFSET")["maximum"];
  auto accepted = put("FG_WIDTH", R"({"value": 512})");
  ASSERT_TRUE(accepted);
  EXPECT_EQ(accepted->status, 200);
  EXPECT_EQ(json::parse(accepted->body)["value"], 512);
  EXPECT_NE(parameter("FG_XOFFSET")["maximum"], maximumBefore);

  auto bySymbol = put("FG_FORMAT", R"({"value": "FG_GRAY16"})");
  ASSERT_TRUE(bySymbol);
  EXPECT_EQ(bySymbol->status, 200);
}

TEST_F(ServeApi, BadRequestsGetClearFourHundreds) {
  EXPECT_EQ(put("NO_SUCH_PARAMETER", R"({"value": 1})")->status, 404);
  EXPECT_EQ(client().Get("/api/parameters/NO_SUCH_PARAMETER")->status, 404);
  EXPECT_EQ(put("FG_WIDTH", "not json")->status, 400);
  EXPECT_EQ(put("FG_WIDTH", R"({"width": 512})")->status, 400);
  EXPECT_EQ(put("FG_WIDTH", R"({"value": "wide"})")->status, 400);
  EXPECT_EQ(put("FG_WIDTH", R"({"value": 1.5})")->status, 400);
  EXPECT_EQ(put("FG_WIDTH", R"({"value": -8})")->status, 400);
  EXPECT_EQ(put("FG_PROCESSING_GAMMA", R"({"value": [1]})")->status, 400);
  EXPECT_EQ(put("FG_FORMAT", R"({"value": "FG_NOT_A_FORMAT"})")->status, 400);
  EXPECT_EQ(client().Put("/api/config.mcf", std::string(2 << 20, 'x'), "text/plain")->status, 413);
  EXPECT_EQ(parameter("FG_WIDTH")["value"], 1024);
}

TEST_F(ServeApi, RequestsForAnotherHostOrFromAnotherOriginAreRefused) {
  httplib::Client foreign = client();
  EXPECT_EQ(foreign.Get("/api/parameters", {{"Host", "attacker.example:80"}})->status, 403);
  EXPECT_EQ(foreign.Get("/api/parameters", {{"Origin", "http://attacker.example"}})->status, 403);
  const std::string own = "http://127.0.0.1:" + std::to_string(port_);
  EXPECT_EQ(foreign.Get("/api/parameters", {{"Origin", own}})->status, 200);
  EXPECT_EQ(put("FG_WIDTH", R"({"value": 512})")->status, 200);
}

TEST_F(ServeApi, ConfigurationFilesRoundTripAndUploadsThatAreNoneAreRefused) {
  ASSERT_EQ(put("FG_HEIGHT", R"({"value": 480})")->status, 200);
  auto saved = client().Get("/api/config.mcf");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->status, 200);
  EXPECT_EQ(saved->body.rfind("[Kamerasektion]", 0), 0u);
  ASSERT_EQ(put("FG_HEIGHT", R"({"value": 1024})")->status, 200);

  auto garbage = client().Put("/api/config.mcf", "\x89PNG\r\n", "application/octet-stream");
  ASSERT_TRUE(garbage);
  EXPECT_EQ(garbage->status, 422);
  EXPECT_EQ(json::parse(garbage->body)["code"], -5000);

  auto loaded = client().Put("/api/config.mcf", saved->body, "text/plain");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->status, 200);
  EXPECT_EQ(parameter("FG_HEIGHT")["value"], 480);
}

TEST_F(ServeApi, DescriptionLookupTableAndTrigger) {
  auto xml = client().Get("/api/description.xml");
  ASSERT_TRUE(xml);
  EXPECT_EQ(xml->status, 200);
  EXPECT_NE(xml->body.find("<RegisterDescription"), std::string::npos);
  auto lut = client().Get("/api/lut");
  ASSERT_TRUE(lut);
  EXPECT_EQ(json::parse(lut->body)["entries"].size(), 1024u);
  // Not in software trigger mode: refused with the trigger's own code.
  auto fired = client().Post("/api/trigger/fire", "", "text/plain");
  ASSERT_TRUE(fired);
  EXPECT_EQ(fired->status, 422);
  EXPECT_EQ(json::parse(fired->body)["code"], -2140);
}

TEST_F(ServeApi, TheFramePreviewFollowsTheRegionOfInterest) {
  // Out of the box the built-in camera shows its scene.
  auto scene = client().Get("/api/frame.png");
  ASSERT_TRUE(scene);
  EXPECT_EQ(scene->status, 200);
  EXPECT_EQ(scene->get_header_value("Content-Type"), "image/png");
  // Without it the camera port is empty until the simulator is chosen.
  Board(board_).setSceneCamera(false);
  auto none = client().Get("/api/frame.png");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->status, 503);
  EXPECT_NE(json::parse(none->body)["message"].get<std::string>().find("no camera"),
            std::string::npos);
  ASSERT_EQ(put("FG_CAMERASIMULATOR_ENABLE", R"({"value": "FG_CAMERASIMULATOR"})")->status, 200);
  ASSERT_EQ(put("FG_CAMERASIMULATOR_FRAMERATE", R"({"value": 200})")->status, 200);
  // The PNG's width and height stand big-endian at bytes 16 and 20.
  const auto size = [](const std::string& png) {
    const auto word = [&](std::size_t at) {
      return (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at])) << 24) |
             (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at + 1])) << 16) |
             (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at + 2])) << 8) |
             static_cast<unsigned char>(png[at + 3]);
    };
    return std::pair{word(16), word(20)};
  };
  auto first = client().Get("/api/frame.png");
  ASSERT_TRUE(first);
  ASSERT_EQ(first->status, 200);
  EXPECT_EQ(first->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(size(first->body), (std::pair<std::uint32_t, std::uint32_t>{1024, 1024}));
  ASSERT_EQ(put("FG_WIDTH", R"({"value": 512})")->status, 200);
  ASSERT_EQ(put("FG_HEIGHT", R"({"value": 200})")->status, 200);
  auto narrow = client().Get("/api/frame.png");
  ASSERT_TRUE(narrow);
  ASSERT_EQ(narrow->status, 200);
  EXPECT_EQ(size(narrow->body), (std::pair<std::uint32_t, std::uint32_t>{512, 200}));
}

TEST_F(ServeApi, ManyClientsAtOnceKeepTheAppletConsistent) {
  std::atomic<int> failures{0};
  std::vector<std::thread> clients;
  for (int i = 0; i < 8; ++i) {
    clients.emplace_back([&, i] {
      httplib::Client c("127.0.0.1", port_);
      for (int round = 0; round < 10; ++round) {
        const int width = 8 * (1 + (i * 10 + round) % 128);
        auto set =
            c.Put("/api/parameters/FG_WIDTH", json{{"value", width}}.dump(), "application/json");
        auto list = c.Get("/api/parameters");
        if (!set || set->status != 200 || !list || list->status != 200) ++failures;
      }
    });
  }
  for (auto& thread : clients) thread.join();
  EXPECT_EQ(failures, 0);
  const int width = parameter("FG_WIDTH")["value"];
  EXPECT_EQ(width % 8, 0);
}

}  // namespace
}  // namespace brenvik::test
