// The settings page's server under load, in-process on the simulated device manager:
// - PlugReachesAllPages: one headset plug until every one of 32 connected pages has its
//   DeviceAdded event; counters p50_ms and p99_ms of that time over the plugs, and
//   pair_p99_ms over every page and plug;
// - IdleWithAPageOpen: the process's CPU time while one page is connected and nothing
//   happens, as cpu_percent of the wall-clock time.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "PageClient.h"
#include "PageHarness.h"
#include "olvar/TemporaryDirectory.h"
#include "velk/SimulatedBackend.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
namespace asio = Host::web::asio;
namespace beast = Host::web::beast;
namespace websocket = Host::web::websocket;
using Host::web::tcp;

constexpr int kPages = 32;

// The harness with the folder it keeps its files in; the folder goes after the harness.
struct BenchPage {
    olvar::TemporaryDirectory folder{"settings-server-bench"};
    std::unique_ptr<olvar::test::PageHarness> harness;
};

std::unique_ptr<BenchPage> startPage() {
    auto page = std::make_unique<BenchPage>();
    const fs::path folder = page->folder.path();
    fs::create_directories(folder / "web");
    std::ofstream(folder / "web" / "index.html") << "<!DOCTYPE html>";
    olvar::test::PageHarnessOptions options;
    options.configDirectory = folder / "config";
    options.webRoot = folder / "web";
    page->harness = std::make_unique<olvar::test::PageHarness>(options);
    return page;
}

// Pages reading on one thread of their own, noting when each DeviceAdded or DeviceRemoved
// arrived.
class Pages {
public:
    Pages(unsigned short port, const std::string& token, int count) {
        for (int i = 0; i < count; ++i) {
            auto page = std::make_unique<Page>(m_context);
            auto& socket = beast::get_lowest_layer(page->stream).socket();
            socket.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
            page->stream.handshake("127.0.0.1:" + std::to_string(port), "/ws?token=" + token);
            page->stream.read(page->buffer);  // the state
            page->buffer.consume(page->buffer.size());
            m_pages.push_back(std::move(page));
        }
        for (std::size_t i = 0; i < m_pages.size(); ++i) read(i);
        m_thread = std::thread([this] { m_context.run(); });
    }
    ~Pages() {
        asio::post(m_context, [this] {
            for (auto& page : m_pages) beast::get_lowest_layer(page->stream).close();
        });
        m_thread.join();
    }

    // Forgets earlier arrivals of the kind; then waits until every page has one.
    void expect(const std::string& kind) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_kind = "\"event\":\"" + kind + "\"";
        m_arrivals.clear();
    }
    std::vector<Clock::time_point> wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_arrived.wait_for(lock, std::chrono::seconds(10), [this] { return m_arrivals.size() == m_pages.size(); });
        std::vector<Clock::time_point> times;
        for (const auto& [page, at] : m_arrivals) times.push_back(at);
        return times;
    }

private:
    struct Page {
        explicit Page(asio::io_context& context) : stream(context) {}
        websocket::stream<beast::tcp_stream> stream;
        beast::flat_buffer buffer;
    };

    void read(std::size_t index) {
        auto& page = *m_pages[index];
        page.stream.async_read(page.buffer, [this, index](beast::error_code error, std::size_t) {
            if (error) return;
            const auto at = Clock::now();
            auto& buffer = m_pages[index]->buffer;
            const std::string text = beast::buffers_to_string(buffer.data());
            buffer.consume(buffer.size());
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_kind.empty() && text.find(m_kind) != std::string::npos) m_arrivals.emplace(index, at);
            }
            m_arrived.notify_all();
            read(index);
        });
    }

    asio::io_context m_context;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::string m_kind;
    std::map<std::size_t, Clock::time_point> m_arrivals;
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(fraction * static_cast<double>(values.size())))];
}

void PlugReachesAllPages(benchmark::State& state) {
    const auto page = startPage();
    auto& harness = *page->harness;
    if (!harness.started()) return state.SkipWithError(harness.error().c_str());
    Pages pages(harness.port(), harness.token(), kPages);
    auto& devices = harness.devices();
    olvar::velk::SimulatedDevice headset;
    for (const auto& device : olvar::velk::builtInDefaultScenario().devices)
        if (device.selectionId == "usb-headset-spk") headset = device;

    std::vector<double> lastPage, everyPage;
    for (auto _ : state) {
        state.PauseTiming();
        pages.expect("DeviceRemoved");
        devices.unplug(headset.selectionId);
        pages.wait();
        pages.expect("DeviceAdded");
        state.ResumeTiming();
        const auto plugged = Clock::now();
        devices.plug(headset);
        const auto arrivals = pages.wait();
        if (arrivals.size() != kPages) return state.SkipWithError("not every page got the plug");
        double latest = 0;
        for (const auto& at : arrivals) {
            const double ms = std::chrono::duration<double, std::milli>(at - plugged).count();
            everyPage.push_back(ms);
            latest = std::max(latest, ms);
        }
        lastPage.push_back(latest);
    }
    state.counters["p50_ms"] = percentile(lastPage, 0.50);
    state.counters["p99_ms"] = percentile(lastPage, 0.99);
    state.counters["pair_p99_ms"] = percentile(everyPage, 0.99);
}
BENCHMARK(PlugReachesAllPages)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();

double processCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void IdleWithAPageOpen(benchmark::State& state) {
    const auto page = startPage();
    auto& harness = *page->harness;
    if (!harness.started()) return state.SkipWithError(harness.error().c_str());
    Pages pages(harness.port(), harness.token(), 1);
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(3));  // idle is what is measured
        cpu += processCpuSeconds() - cpuBefore;
        wall += std::chrono::duration<double>(Clock::now() - wallBefore).count();
    }
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0;
}
BENCHMARK(IdleWithAPageOpen)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
