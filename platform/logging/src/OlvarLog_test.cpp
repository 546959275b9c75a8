#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <regex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "LoggerInternals.h"
#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"

namespace olvar::test {
namespace {

class RecordCollector {
public:
    olvar::log::Sink sink() {
        return [this](const olvar::log::Record& record) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_records.push_back(record);
        };
    }
    std::vector<olvar::log::Record> records() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_records;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<olvar::log::Record> m_records;
};

class Logging : public ::testing::Test {
protected:
    void SetUp() override {
        olvar::log::setThreshold(OLVAR_LOG_TRACE);
        olvar::log::setSink(collector.sink());
        olvar::log::resetErrorCount();
    }
    void TearDown() override {
        olvar::log::setSink({});
        olvar::log::setThreshold(OLVAR_LOG_WARNING);
    }

    RecordCollector collector;
    OlvarLoggerHandle logger = OlvarLogger_getLogger("Test-Logger");
};

TEST_F(Logging, SinkReceivesEveryFieldOfTheRecord) {
    OlvarLog(logger, OLVAR_LOG_INFO, "dir/File.cpp", 42, "ns::Class::method", std::string("hello"));
    const auto records = collector.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].level, OLVAR_LOG_INFO);
    EXPECT_EQ(records[0].logger, "Test-Logger");
    EXPECT_EQ(records[0].file, "dir/File.cpp");
    EXPECT_EQ(records[0].line, 42);
    EXPECT_EQ(records[0].function, "ns::Class::method");
    EXPECT_EQ(records[0].message, "hello");
}

TEST_F(Logging, NullTextsArriveAsEmptyStrings) {
    OlvarLog(logger, OLVAR_LOG_ERROR, nullptr, 0, nullptr, std::string("m"));
    const auto records = collector.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "");
    EXPECT_EQ(records[0].function, "");
}

TEST_F(Logging, ThresholdDropsMoreVerboseLevelsAndOnlyWrittenErrorsCount) {
    olvar::log::setThreshold(OLVAR_LOG_INFO);
    EXPECT_FALSE(OlvarLog_isDebugEnabled(logger));
    EXPECT_FALSE(OlvarLog_isTraceEnabled(logger));
    EXPECT_TRUE(OlvarLog_isEnabled(logger, OLVAR_LOG_INFO));
    for (int level = OLVAR_LOG_ERROR; level <= OLVAR_LOG_TRACE; ++level) {
        OlvarLog(logger, level, "f", 1, "fn", std::to_string(level));
        OlvarLog(logger, level, "f", 1, "fn", std::wstring(L"wide"));
    }
    const auto records = collector.records();
    ASSERT_EQ(records.size(), 6u);
    for (const auto& record : records) {
        EXPECT_LE(record.level, OLVAR_LOG_INFO);
    }
    EXPECT_EQ(olvar::log::errorCount(), 2u);
    olvar::log::resetErrorCount();
    EXPECT_EQ(olvar::log::errorCount(), 0u);
}

TEST_F(Logging, SetThresholdClampsToKnownLevels) {
    olvar::log::setThreshold(99);
    EXPECT_EQ(olvar::log::threshold(), OLVAR_LOG_TRACE);
    olvar::log::setThreshold(-1);
    EXPECT_EQ(olvar::log::threshold(), OLVAR_LOG_ERROR);
    EXPECT_TRUE(OlvarLog_isEnabled(logger, OLVAR_LOG_ERROR));
}

TEST(LogThresholdText, AcceptsOnlyLevelsTwoToSix) {
    using olvar::log::detail::parseThresholdText;
    EXPECT_EQ(parseThresholdText("2"), 2);
    EXPECT_EQ(parseThresholdText("6"), 6);
    EXPECT_EQ(parseThresholdText("5"), 5);
    for (const char* invalid : {"1", "7", "-3", "abc", "4x", "", "99999999999999999999"}) {
        EXPECT_EQ(parseThresholdText(invalid), 3) << invalid;
    }
    EXPECT_EQ(parseThresholdText(nullptr), 3);
}

TEST_F(Logging, WideMessagesArriveAsUtf8) {
    const std::wstring message = L"caf\u00e9 \u20ac \U0001F3A7";
    OlvarLog(logger, OLVAR_LOG_WARNING, "f", 1, "fn", message);
    std::wstring withSurrogate = L"a";
    withSurrogate += static_cast<wchar_t>(0xD800);
    OlvarLog(logger, OLVAR_LOG_WARNING, "f", 1, "fn", withSurrogate);
    const auto records = collector.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].message, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xA7");
    EXPECT_EQ(records[1].message, "a\xEF\xBF\xBD");
}

TEST_F(Logging, SameNameGivesSameHandleAcrossThreads) {
    EXPECT_EQ(OlvarLogger_getLogger("Test-Logger"), logger);
    EXPECT_NE(OlvarLogger_getLogger("Other-Logger"), logger);
    EXPECT_NE(OlvarLogger_getLogger(nullptr), nullptr);

    std::vector<OlvarLoggerHandle> handles(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < handles.size(); ++i) {
        threads.emplace_back([&handles, i] { handles[i] = OlvarLogger_getLogger("Raced-Logger"); });
    }
    for (auto& thread : threads) thread.join();
    for (auto handle : handles) {
        EXPECT_EQ(handle, handles[0]);
    }
}

TEST_F(Logging, NamedLoggerIsTheRegistryHandleOfItsName) {
    constexpr auto named = &olvar::namedLogger<"Test-Logger">;
    EXPECT_EQ(named(), logger);
    EXPECT_EQ(named(), named());
    EXPECT_NE(olvar::namedLogger<"Test-Logger2">(), logger);
    OlvarLog(named(), OLVAR_LOG_INFO, __FILE__, __LINE__, __func__, std::string("via the named logger"));
    const auto records = collector.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].logger, "Test-Logger");
}

TEST_F(Logging, ConcurrentRecordsAllArriveInPerThreadOrder) {
    constexpr int kThreads = 6;
    constexpr int kRecords = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kRecords; ++i) {
                OlvarLog(logger, OLVAR_LOG_ERROR, "f", t, "fn", std::to_string(i));
            }
        });
    }
    for (auto& thread : threads) thread.join();

    std::map<int, int> nextPerThread;
    const auto records = collector.records();
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kThreads * kRecords));
    for (const auto& record : records) {
        EXPECT_EQ(record.message, std::to_string(nextPerThread[record.line]++));
    }
    EXPECT_EQ(olvar::log::errorCount(), static_cast<std::uint64_t>(kThreads * kRecords));
}

TEST_F(Logging, SinkMayLogItselfAndMayThrow) {
    int calls = 0;
    olvar::log::setSink([&](const olvar::log::Record& record) {
        ++calls;
        if (record.message == "outer") {
            OlvarLog(logger, OLVAR_LOG_INFO, "f", 1, "fn", std::string("inner"));
            throw std::runtime_error("sink failure");
        }
    });
    EXPECT_NO_THROW(OlvarLog(logger, OLVAR_LOG_INFO, "f", 1, "fn", std::string("outer")));
    EXPECT_EQ(calls, 2);
}

// Captures what the library writes to standard error while the object lives.
class StderrCapture {
public:
    StderrCapture() : m_file(std::tmpfile()), m_saved(::dup(STDERR_FILENO)) {
        ::dup2(::fileno(m_file), STDERR_FILENO);
    }
    ~StderrCapture() {
        restore();
        std::fclose(m_file);
    }
    std::string finish() {
        restore();
        std::string text;
        std::rewind(m_file);
        for (int c; (c = std::fgetc(m_file)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    void restore() {
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
            m_saved = -1;
        }
    }
    std::FILE* m_file;
    int m_saved;
};

TEST_F(Logging, WithoutSinkEachRecordIsOneFormattedStderrLine) {
    olvar::log::setSink({});
    StderrCapture capture;
    OlvarLog(logger, OLVAR_LOG_INFO, "services/x/Thing.cpp", 12, "ns::Thing::run", std::string("started"));
    OlvarLog(logger, OLVAR_LOG_ERROR, "Plain", 7, "f", std::wstring(L"\u00e9"));
    const std::string text = capture.finish();
    const std::regex expected(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} INFO  Test-Logger ns::Thing::run \\[Thing\\.cpp:12\\]: "
        "started\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} ERROR Test-Logger f \\[Plain:7\\]: \xC3\xA9\n");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

}  // namespace
}  // namespace olvar::test
