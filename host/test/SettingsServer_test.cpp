// The settings page's server through real sockets: a Beast client against the host's own
// stack on the simulated device manager, the module loaded as serve loads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "HostSession.h"
#include "PageClient.h"
#include "PageHarness.h"
#include "operations/DeviceOperations.h"
#include "server/AccessPolicy.h"
#include "server/AccessToken.h"
#include "server/SoundLibrary.h"
#include "velk/SimulatedBackend.h"
#include "velk/SimulatedCapture.h"

namespace olvar::test {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr const char* kSecret = "not for the page";
constexpr const char* kHeadsetHardwareId = "USB\\VID_0B0E&PID_0348&MI_00";

class SettingsServer : public testing::Test {
protected:
    void SetUp() override { start({}); }

    void start(Host::web::ServerLimits limits, olvar::velk::Scenario scenario = {}) {
        m_harness.reset();
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::path(MDS_HOST_TEST_DIR) / "page" / test->name();
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "web" / "js");
        std::ofstream(m_folder / "web" / "index.html") << "<!DOCTYPE html><title>Devices</title>";
        std::ofstream(m_folder / "web" / "js" / "app.js") << "export {};";
        fs::create_directories(m_folder / "web" / "tests" / "node_modules");
        std::ofstream(m_folder / "web" / "tests" / "node_modules" / "kept.js") << kSecret;
        std::ofstream(m_folder / "web" / ".hidden") << kSecret;
        std::ofstream(m_folder / "web" / "CMakeLists.txt") << kSecret;
        std::ofstream(m_folder / "secret.txt") << kSecret;
        fs::create_symlink(m_folder / "secret.txt", m_folder / "web" / "link-out");
        PageHarnessOptions options;
        options.configDirectory = m_folder / "config";
        options.webRoot = m_folder / "web";
        options.limits = limits;
        options.scenario = std::move(scenario);
        m_harness = std::make_unique<PageHarness>(options);
        ASSERT_TRUE(m_harness->started()) << m_harness->error();
    }

    unsigned short port() { return m_harness->port(); }
    std::string token() { return m_harness->token(); }
    std::string page(const std::string& path = "/") { return path + "?token=" + token(); }

    std::unique_ptr<PageClient> connect() {
        auto client = std::make_unique<PageClient>();
        EXPECT_TRUE(client->connect(port(), token())) << "status " << client->refusedStatus();
        return client;
    }

    static const json& typeOf(const json& state, const std::string& type) {
        for (const auto& entry : state.at("types"))
            if (entry.at("type") == type) return entry;
        throw std::runtime_error("no type " + type);
    }

    fs::path m_folder;
    std::unique_ptr<PageHarness> m_harness;
};

TEST_F(SettingsServer, FirstMessageIsTheStateThatListPrints) {
    auto client = connect();
    const json& state = client->welcome();
    EXPECT_EQ(state.at("type"), "state");
    EXPECT_EQ(state.at("backend"), "simulated");
    EXPECT_EQ(state.at("sounds").at(0), "Tone");
    const auto listed = Host::DeviceOperations(m_harness->session()).listState();
    EXPECT_EQ(state.at("state"), json::parse(listed.result.dump()));
    EXPECT_EQ(typeOf(state.at("state"), "speaker").at("current").at("selectionId"), "usb-headset-spk");
}

TEST_F(SettingsServer, EachRequestGetsItsReply) {
    auto client = connect();
    auto reply = client->request({{"request", "prefer"}, {"type", "speaker"}, {"devices", {"spk-builtin"}}});
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->at("ok")) << *reply;
    EXPECT_EQ(reply->at("result").at("preferred").at(0).at("selectionId"), "spk-builtin");

    reply = client->request({{"request", "select"}, {"type", "MICROPHONE"}, {"device", "mic-builtin"}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    EXPECT_EQ(reply->at("result").at("current").at("selectionId"), "mic-builtin");

    reply = client->request({{"request", "volume"}, {"type", "speaker"}, {"device", "spk-builtin"}, {"volume", 35}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    EXPECT_EQ(reply->at("result").at("preferred").at(0).at("volume"), 35);

    reply = client->request({{"request", "state"}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    EXPECT_EQ(typeOf(reply->at("result").at("state"), "speaker").at("preferred").at(0).at("volume"), 35);

    // A looping tone only ends when it is stopped; its start and its end come as events.
    reply = client->request({{"request", "play"}, {"sound", "Tone"}, {"device", "spk-builtin"}, {"loop", true}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    const long session = reply->at("result").at("sessions").at(0);
    EXPECT_EQ(reply->at("result").at("device"), "spk-builtin");
    reply = client->request({{"request", "stop"}, {"session", session}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    auto finished = client->event("SoundPlayFinished");
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->at("session"), session);

    reply = client->request({{"request", "play"}, {"sound", "Tone"}, {"all", true}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    EXPECT_EQ(reply->at("result").at("device"), "all");
    EXPECT_EQ(reply->at("result").at("sessions").size(), 2u);
    reply = client->request({{"request", "stop"}, {"all", true}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;

    m_harness->devices().setPeakLevel("mic-builtin", 0.75f);
    reply = client->request({{"request", "meter"}, {"device", "mic-builtin"}, {"on", true}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    auto peak = client->event("Peak");
    ASSERT_TRUE(peak);
    EXPECT_EQ(peak->at("device"), "mic-builtin");
    EXPECT_FLOAT_EQ(peak->at("level").get<float>(), 0.75f);
    reply = client->request({{"request", "meter"}, {"device", "mic-builtin"}, {"on", false}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    EXPECT_FALSE(reply->at("result").at("on"));
}

// The check records the simulated microphone's known sine and plays exactly that back on
// the speaker in use.
TEST_F(SettingsServer, MicrophoneCheckPlaysBackWhatItRecorded) {
    auto client = connect();
    auto reply = client->request({{"request", "micCheck"}, {"device", "mic-builtin"}});
    ASSERT_TRUE(reply && reply->at("ok")) << *reply;
    const int check = reply->at("result").at("check");
    auto busy = client->request({{"request", "micCheck"}, {"device", "mic-builtin"}});
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->value("error", ""), "a microphone check is running already");

    auto final = client->waitFor([&](const json& m) {
        return m.value("type", "") == "event" && m.at("event").value("event", "") == "MicCheck" &&
               m.at("event").at("check") == check && m.at("event").at("phase") != "recording" &&
               m.at("event").at("phase") != "playing";
    });
    ASSERT_TRUE(final);
    const json& done = final->at("event");
    ASSERT_EQ(done.at("phase"), "done") << done;
    EXPECT_EQ(done.at("speaker"), "usb-headset-spk");
    EXPECT_NEAR(done.at("level").get<double>(), 0.5, 0.01);

    const auto playouts = m_harness->devices().playouts();
    ASSERT_FALSE(playouts.empty());
    const auto& played = playouts.back();
    EXPECT_EQ(played.deviceName, "usb-headset-spk");
    const std::size_t samples = played.pcm.size() / 2;
    ASSERT_GE(samples, 4000u);  // 300 ms at 16 kHz: 4800
    for (std::size_t i = 0; i < samples; ++i) {
        const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(played.pcm[2 * i]) |
                                                      static_cast<unsigned char>(played.pcm[2 * i + 1]) << 8);
        ASSERT_EQ(sample, olvar::velk::simulatedMicrophoneSample(i, 16000)) << "sample " << i;
    }
}

TEST_F(SettingsServer, ErrorsCarryTheCommandLinesTextAndClass) {
    auto client = connect();
    struct Case {
        json request;
        const char* error;
        const char* errorClass;
    };
    const Case cases[] = {
        {{{"request", "prefer"}, {"type", "speakre"}, {"devices", {"spk-builtin"}}},
         "unknown device type 'speakre' (speaker, microphone, ringer or camera)", "usage"},
        {{{"request", "select"}, {"type", "speaker"}, {"device", "nope"}},
         "unknown speaker 'nope' (known: usb-headset-spk, spk-builtin)", "failure"},
        {{{"request", "volume"}, {"type", "speaker"}, {"device", "spk-builtin"}, {"volume", 150}},
         "volume 150 not in range 0 to 100", "usage"},
        {{{"request", "volume"}, {"type", "camera"}, {"device", "cam-builtin"}, {"volume", 20}}, "cameras have no volume",
         "usage"},
        {{{"request", "prefer"}, {"type", "speaker"}, {"devices", {"spk-builtin", "spk-builtin"}}},
         "'spk-builtin' names a device given before it", "usage"},
        {{{"request", "play"}, {"sound", "../../etc/passwd"}}, "no sound named '../../etc/passwd'", "failure"},
        {{{"request", "meter"}, {"device", "spk-builtin"}, {"on", true}},
         "unknown microphone 'spk-builtin' (known: usb-headset-mic, mic-builtin)", "failure"},
        {{{"request", "volume"}, {"type", "speaker"}, {"device", "spk-builtin"}, {"volume", "loud"}},
         "\"volume\" must be an integer", "usage"},
        {{{"request", "frobnicate"}}, "unknown request 'frobnicate' (prefer, select, volume, play, stop, meter, micCheck or state)",
         "usage"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.request.dump());
        auto reply = client->request(test.request);
        ASSERT_TRUE(reply);
        EXPECT_FALSE(reply->at("ok"));
        EXPECT_EQ(reply->value("error", ""), test.error);
        EXPECT_EQ(reply->value("class", ""), test.errorClass);
    }
    // A failed request never changed the stored order.
    EXPECT_FALSE(fs::exists(m_folder / "config" / "deviceData4.properties"));
}

TEST_F(SettingsServer, MalformedMessagesGetAnErrorAndTheConnectionStays) {
    auto client = connect();
    for (const char* text : {"{nope", "[1, 2]", "\"prefer\"", "{\"id\": 3}"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(client->sendText(text));
        auto reply = client->waitFor([](const json& m) { return m.value("type", "") == "reply"; });
        ASSERT_TRUE(reply);
        EXPECT_FALSE(reply->at("ok"));
        EXPECT_EQ(reply->at("class"), "usage");
        EXPECT_EQ(reply->at("id"), std::string(text) == "{\"id\": 3}" ? json(3) : json());
    }
    auto reply = client->request({{"request", "state"}});
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->at("ok"));
}

// More requests at once than a page may have waiting: it is read again as replies go out, and
// every request is answered, in order.
TEST_F(SettingsServer, ManyRequestsAtOnceAreAllAnsweredInOrder) {
    auto client = connect();
    constexpr int kMany = 64;
    for (int id = 0; id < kMany; ++id) ASSERT_TRUE(client->sendText(json{{"id", id}, {"request", "state"}}.dump()));
    for (int id = 0; id < kMany; ++id) {
        auto reply = client->waitFor([](const json& m) { return m.value("type", "") == "reply"; });
        ASSERT_TRUE(reply) << id;
        EXPECT_EQ(reply->at("id"), id);
    }
}

TEST_F(SettingsServer, PlugVolumeAndButtonArriveAsEvents) {
    olvar::velk::Scenario scenario;
    olvar::velk::ScenarioEvent press;
    press.action = olvar::velk::ScenarioEvent::Action::Button;
    press.button = "answer-call";
    press.hardwareId = kHeadsetHardwareId;
    scenario.events.push_back(press);
    start({}, scenario);
    auto client = connect();

    ASSERT_TRUE(m_harness->devices().unplug("usb-headset-spk"));
    auto removed = client->event("DeviceRemoved");
    ASSERT_TRUE(removed);
    // The headset's earphone is its speaker and its ringer.
    EXPECT_EQ(removed->at("devices"), json::parse(R"([
        {"type": "speaker", "name": "Headset Earphone", "selectionId": "usb-headset-spk"},
        {"type": "ringer", "name": "Headset Earphone", "selectionId": "usb-headset-spk"}])"));
    auto current = client->event("CurrentSpeaker");
    ASSERT_TRUE(current);
    EXPECT_EQ(current->at("device").at("selectionId"), "spk-builtin");

    // A volume set outside the module, as the sound server's mixer would.
    m_harness->devices().manager()->getVolumeControl()->setSpeakerVolume("spk-builtin", 23);
    // (The unplug put the built-in speaker in use at its kept volume first.)
    auto volume = client->waitFor([](const json& m) {
        return m.at("event").value("event", "") == "Volume" && m.at("event").at("volume") == 23;
    });
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->at("event").at("device"), "spk-builtin");
    EXPECT_EQ(volume->at("event").at("type"), "speaker");

    m_harness->page().playTimeline();
    auto button = client->event("Button");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->at("button"), "answer-call");
    EXPECT_EQ(button->at("hardwareId"), kHeadsetHardwareId);
}

TEST_F(SettingsServer, TwoPagesSeeTheSameEventsInTheSameOrder) {
    auto first = connect();
    auto second = connect();
    auto watcher = connect();  // paces the changes; the two pages read only at the end
    auto& devices = m_harness->devices();
    const auto currentSpeakerIs = [](const std::string& selectionId) {
        return [selectionId](const json& m) {
            if (m.value("type", "") != "event") return false;
            const auto& event = m.at("event");
            return event.value("event", "") == "CurrentSpeaker" && event.contains("device") &&
                   event.at("device").value("selectionId", "") == selectionId;
        };
    };
    // Each change waits for its own consequence, so that the last one ends
    // the story whatever the module coalesces: the headset unplugged, its microphone too, and
    // the headset back in use.
    ASSERT_TRUE(devices.unplug("usb-headset-spk"));
    ASSERT_TRUE(watcher->waitFor(currentSpeakerIs("spk-builtin")));
    ASSERT_TRUE(devices.unplug("usb-headset-mic"));
    ASSERT_TRUE(watcher->event("DeviceRemoved"));
    olvar::velk::SimulatedDevice headset;
    for (const auto& device : olvar::velk::builtInDefaultScenario().devices)
        if (device.selectionId == "usb-headset-spk") headset = device;
    ASSERT_TRUE(devices.plug(headset));
    ASSERT_TRUE(watcher->waitFor(currentSpeakerIs("usb-headset-spk")));

    const auto last = currentSpeakerIs("usb-headset-spk");
    std::vector<json> seen[2];
    for (int i = 0; i < 2; ++i) {
        PageClient& client = i == 0 ? *first : *second;
        for (;;) {
            auto message = client.next();
            ASSERT_TRUE(message);
            auto event = message->at("event");
            event.erase("ms");
            seen[i].push_back(event);
            if (last(*message)) break;
        }
    }
    EXPECT_GE(seen[0].size(), 6u);
    EXPECT_EQ(seen[0], seen[1]);
}

TEST_F(SettingsServer, RequestsWithoutTheTokenAreForbidden) {
    for (const std::string& target : {std::string("/"), std::string("/?token=") + std::string(32, '0'),
                                     "/js/app.js?token=" + token().substr(1), std::string("/ws")}) {
        SCOPED_TRACE(target);
        const auto reply = httpGet(port(), target);
        EXPECT_EQ(reply.status, 403);
        EXPECT_EQ(reply.body.find("Devices"), std::string::npos);
    }
    PageClient noToken;
    EXPECT_FALSE(noToken.connect(port(), "wrong"));
    EXPECT_EQ(noToken.refusedStatus(), 403);

    const auto first = httpGet(port(), page());
    ASSERT_EQ(first.status, 200);
    EXPECT_EQ(first.headers.at("set-cookie"), "mds_token=" + token() + "; HttpOnly; SameSite=Strict; Path=/");
    EXPECT_EQ(first.headers.at("content-security-policy"), "default-src 'self'");
    EXPECT_EQ(first.headers.at("x-content-type-options"), "nosniff");
    EXPECT_EQ(first.headers.at("x-frame-options"), "DENY");
    for (const auto& [name, value] : first.headers) EXPECT_NE(name.rfind("access-control-", 0), 0u) << name;
    // The page's own requests carry the cookie instead.
    const auto script = httpGet(port(), "/js/app.js", {{"Cookie", "theme=dark; mds_token=" + token()}});
    EXPECT_EQ(script.status, 200);
    EXPECT_EQ(script.headers.at("content-type"), "text/javascript; charset=utf-8");
    EXPECT_EQ(script.headers.count("set-cookie"), 0u);
}

TEST_F(SettingsServer, ForeignHostIsForbidden) {
    const std::string at = ":" + std::to_string(port());
    EXPECT_EQ(httpGet(port(), page(), {{"Host", "evil.example" + at}}).status, 403);
    EXPECT_EQ(httpGet(port(), page(), {{"Host", "127.0.0.1:1"}}).status, 403);
    EXPECT_EQ(httpGet(port(), page(), {{"Host", "LocalHost" + at}}).status, 200);
    PageClient rebound;
    EXPECT_FALSE(rebound.connect(port(), token(), {{"Host", "evil.example" + at}}));
    EXPECT_EQ(rebound.refusedStatus(), 403);
}

TEST_F(SettingsServer, UpgradeFromAForeignOriginIsRefused) {
    PageClient hijack;
    EXPECT_FALSE(hijack.connect(port(), token(), {{"Origin", "http://evil.example"}}));
    EXPECT_EQ(hijack.refusedStatus(), 403);
    PageClient own;
    EXPECT_TRUE(own.connect(port(), token(), {{"Origin", "http://localhost:" + std::to_string(port())}}));
}

TEST_F(SettingsServer, PathsOutsideThePageAreNotFound) {
    for (const char* path : {"/../secret.txt", "/%2e%2e/secret.txt", "/%2E%2E%2Fsecret.txt", "/js/..%2f..%2fsecret.txt",
                                   "/link-out", "/%00", "/missing.html", "/tests/node_modules/kept.js",
                                   "/.hidden", "/CMakeLists.txt"}) {
        SCOPED_TRACE(path);
        const auto reply = httpGet(port(), page(path));
        EXPECT_EQ(reply.status, 404);
        EXPECT_EQ(reply.body.find(kSecret), std::string::npos);
    }
    EXPECT_EQ(httpGet(port(), page("/js/app.js")).status, 200);
}

TEST_F(SettingsServer, OversizedMessageClosesTheConnection) {
    auto client = connect();
    std::string huge = "{\"request\": \"state\", \"pad\": \"" + std::string(64 * 1024, 'x') + "\"}";
    client->sendText(huge);
    EXPECT_TRUE(client->closedByServer());
    auto other = connect();
    EXPECT_TRUE(other->request({{"request", "state"}}));
}

TEST_F(SettingsServer, The33rdConnectionIsRefused) {
    std::vector<std::unique_ptr<PageClient>> clients;
    for (int i = 0; i < 32; ++i) clients.push_back(connect());
    PageClient extra;
    EXPECT_FALSE(extra.connect(port(), token()));
    EXPECT_EQ(httpGet(port(), page()).status, 0);
    // Room again once one has gone.
    clients.pop_back();
    bool admitted = false;
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (!admitted && std::chrono::steady_clock::now() < deadline) admitted = PageClient().connect(port(), token());
    EXPECT_TRUE(admitted);
}

// A page that stops reading is closed once its queue is full; the others and the services
// dispatcher go on as if it were not there.
TEST_F(SettingsServer, StalledReaderIsClosedWhileOthersGoOn) {
    Host::web::ServerLimits limits;
    limits.sendQueue = 8;
    limits.socketSendBuffer = 4096;
    start(limits);
    PageClient stalled;
    ASSERT_TRUE(stalled.connect(port(), token(), {}, 2048));
    auto fast = connect();

    const std::string pad(4096, 'x');
    for (int i = 0; i < 64; ++i) {
        m_harness->page().app().server().publish(
            json{{"type", "event"}, {"event", {{"event", "Filler"}, {"n", i}, {"pad", pad}}}}.dump());
        ASSERT_TRUE(fast->waitFor([&](const json& m) { return m.at("event").value("n", -1) == i; })) << i;
    }
    std::promise<void> ran;
    m_harness->session().postToDispatcher([&] { ran.set_value(); }, "Test::dispatcherFree");
    EXPECT_EQ(ran.get_future().wait_for(kWait), std::future_status::ready);

    ASSERT_TRUE(m_harness->devices().unplug("usb-headset-spk"));
    EXPECT_TRUE(fast->event("DeviceRemoved"));
    // The stalled page finds what fitted into its socket, then the end, never all 64.
    int received = 0;
    while (auto message = stalled.next()) ++received;
    EXPECT_TRUE(stalled.ended());
    EXPECT_LT(received, 64);
}

// On the tests' sound server: a sink loaded with pactl reaches the page, and so does a volume
// set with pactl, through the host's forwarding of the server's volume changes.
TEST(SettingsServerOnSoundServer, PactlSinkAndVolumeReachThePage) {
    const char* server = std::getenv("PULSE_SERVER");
    if (!server || std::system("pactl info >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no test sound server: run scripts/pulse-daemon.sh start and export the PULSE_SERVER it prints";
    const fs::path folder = fs::path(MDS_HOST_TEST_DIR) / "page" / "sound-server";
    fs::remove_all(folder);
    fs::create_directories(folder / "web");
    PageHarnessOptions options;
    options.configDirectory = folder / "config";
    options.webRoot = folder / "web";
    options.backend = "pulse";
    PageHarness harness(options);
    ASSERT_TRUE(harness.started()) << harness.error();
    PageClient client;
    ASSERT_TRUE(client.connect(harness.port(), harness.token()));
    EXPECT_EQ(client.welcome().at("backend"), "pulse");

    const std::string sink = "page_sink_" + std::to_string(::getpid());
    const std::string load = "pactl load-module module-null-sink sink_name=" + sink;
    FILE* loaded = ::popen(load.c_str(), "r");
    ASSERT_TRUE(loaded);
    char index[32] = {};
    ASSERT_TRUE(std::fgets(index, sizeof index, loaded));
    ::pclose(loaded);
    const auto hasSink = [&](const json& m) {
        if (m.value("type", "") != "event" || m.at("event").value("event", "") != "DeviceAdded") return false;
        for (const auto& device : m.at("event").at("devices"))
            if (device.at("selectionId") == sink) return true;
        return false;
    };
    EXPECT_TRUE(client.waitFor(hasSink));
    // A volume reaches the page only for a listed device, and the lists follow the event.
    const auto listsSink = [&](const json& m) {
        return m.value("type", "") == "event" && m.at("event").value("event", "") == "PreferredList" &&
               m.at("event").value("type", "") == "speaker" && m.at("event").dump().find(sink) != std::string::npos;
    };
    EXPECT_TRUE(client.waitFor(listsSink));

    ASSERT_EQ(std::system(("pactl set-sink-volume " + sink + " 30%").c_str()), 0);
    auto volume = client.waitFor([&](const json& m) {
        return m.value("type", "") == "event" && m.at("event").value("event", "") == "Volume" &&
               m.at("event").at("device") == sink && m.at("event").at("volume") == 30;
    });
    EXPECT_TRUE(volume);
    std::system(("pactl unload-module " + std::string(index)).c_str());
    EXPECT_TRUE(client.event("DeviceRemoved"));
}

TEST(WebAccessPolicy, DecodesAndRefusesWhatCouldEscape) {
    using namespace Host::web;
    EXPECT_EQ(percentDecode("%2e%2E/a%20b"), "../a b");
    EXPECT_FALSE(percentDecode("%2"));
    EXPECT_FALSE(percentDecode("%zz"));
    EXPECT_FALSE(percentDecode("a%00b"));
    EXPECT_EQ(cookieValue("a=1; mds_token=abc ;b=2", "mds_token"), "abc");
    EXPECT_FALSE(cookieValue("xmds_token=abc", "mds_token"));
    EXPECT_EQ(queryParameter("x=1&token=a%62c", "token"), "abc");
    EXPECT_FALSE(sameToken("", ""));
    EXPECT_FALSE(sameToken("abc", "abcd"));
    const AccessPolicy policy("t", "192.168.1.5", 8080);
    EXPECT_TRUE(policy.hostAllowed("192.168.1.5:8080"));
    EXPECT_TRUE(policy.hostAllowed("[::1]:8080"));
    EXPECT_FALSE(policy.hostAllowed("192.168.1.5"));
    EXPECT_TRUE(policy.originAllowed(std::nullopt));
    EXPECT_FALSE(policy.originAllowed("null"));
    EXPECT_FALSE(policy.originAllowed("https://localhost:8080.evil.example"));
}

// A token others could read, or one that is not a token, is replaced by a fresh private one.
TEST(PageToken, KeptPrivateAndReplacedWhenExposedOrDamaged) {
    const fs::path folder = fs::path(MDS_HOST_TEST_DIR) / "page" / "token";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string error;
    const std::string first = Host::web::loadOrCreateToken(folder, false, error);
    ASSERT_EQ(first.size(), 32u) << error;
    EXPECT_EQ(Host::web::loadOrCreateToken(folder, false, error), first);

    const fs::path file = folder / Host::web::kTokenFileName;
    fs::permissions(file, fs::perms::group_read | fs::perms::others_read, fs::perm_options::add);
    const std::string second = Host::web::loadOrCreateToken(folder, false, error);
    EXPECT_NE(second, first);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    std::ofstream(file, std::ios::trunc) << "short\n";
    EXPECT_EQ(Host::web::loadOrCreateToken(folder, false, error).size(), 32u);
    EXPECT_FALSE(fs::exists(folder / (std::string(Host::web::kTokenFileName) + ".new")));
}

// The page names sounds, never paths: only plain-named wave files of the folder are offered.
TEST(PageSounds, OffersTheToneAndThePlainWaveFilesOfTheFolder) {
    const fs::path folder = fs::path(MDS_HOST_TEST_DIR) / "page" / "sounds";
    fs::remove_all(folder);
    fs::create_directories(folder / "runtime");
    fs::create_directories(folder / "sounds" / "nested.wav");
    for (const char* name : {"chime.wav", "Alert.WAV", ".hidden.wav", "notes.txt", "bad;name.wav"})
        std::ofstream(folder / "sounds" / name) << "RIFF";
    const Host::SoundLibrary sounds(folder / "runtime", folder / "sounds");
    EXPECT_EQ(sounds.names(), (std::vector<std::string>{"Tone", "Alert", "chime"}));
    EXPECT_EQ(sounds.file("chime"), folder / "sounds" / "chime.wav");
    EXPECT_FALSE(sounds.file("../sounds/chime"));
    EXPECT_GT(fs::file_size(*sounds.file("Tone")), 44u);
}

}  // namespace
}  // namespace olvar::test
