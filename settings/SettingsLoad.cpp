// The loader: searches the keys in file order through the token stream, never rewinding, and
// stores each value that its rule accepts.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "platform/RegularFile.h"
#include "settings/CLocaleNumbers.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsTokenReader.h"

namespace velmora2 {
namespace {

using namespace settings_keys;

constexpr int32_t kSweepPeriodFastMs = 500;
constexpr int32_t kSweepPeriodSlowMs = 2000;
// Far above any real settings file (about a kilobyte); the rest of a larger one is not read.
constexpr size_t kMaxSettingsFileBytes = 1 << 20;

// Converts one value token into its field; a refused value leaves the field as it is.
class ValueStore {
public:
    ValueStore(SettingsRecord& record, const SettingsToken& value)
        : record_(record), value_(value) {}

    // A number whose saved text would not fit into one token would read back cut: refused.
    void operator()(double& field, Real rule) const {
        const double v = ParseCDouble(value_.text);
        if (!std::isfinite(v) || FormatCDouble(v).size() > kMaxSettingsTextBytes) return;
        if (rule.allowed == nullptr || rule.allowed(v)) field = v;
    }
    void operator()(int32_t& field, Integer rule) const {
        const auto v = ParseCInt(value_.text);
        if (v && rule.allowed(*v)) field = *v;
    }
    void operator()(bool& field, Word rule) const { field = value_.text == rule.trueWord; }
    void operator()(std::string& field, Text rule) const {
        if (!(rule.refuseCut && value_.cut)) field = value_.text;
    }
    void operator()(std::string& field, PhaseRange) const {
        if (value_.text == "-90")
            field = "-90 to 90";
        else if (value_.text == "-180")
            field = "-180 to 180";
        else
            field = "-360 to 360";
    }
    void operator()(int32_t& field, SampleRate) const {
        const auto v = ParseCInt(value_.text);
        if (!v || !IsValidSampleRate(*v)) return;
        field = *v;
        record_.activeSampleRate = *v;
    }
    template <typename Enumeration>
    void operator()(Enumeration& field, Choice rule) const {
        for (int i = 0; i < rule.count; ++i)
            if (value_.text == rule.words[i]) field = static_cast<Enumeration>(i);
    }
    void operator()(bool& field, SweepSpeed) const {
        field = value_.text != "OFF";
        record_.sweepPeriodMs = field ? kSweepPeriodSlowMs : kSweepPeriodFastMs;
    }

private:
    SettingsRecord& record_;
    const SettingsToken& value_;
};

}  // namespace

SettingsLoad LoadSettingsFile(const std::filesystem::path& directory, SettingsRecord& record) {
    const std::filesystem::path path = directory / kSettingsFileName;
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        // Something else of that name (a FIFO, a link to a device) is never read: it could block
        // or never end.
        if (IsThereButNotRegularFile(path))
            std::fprintf(stderr, "settings: %s is not a regular file; it is not read\n",
                         path.c_str());
        return SettingsLoad::NoFile;
    }
    std::string text;
    char chunk[4096];
    while (text.size() < kMaxSettingsFileBytes) {
        const ssize_t n =
            ::read(fd, chunk, std::min(sizeof chunk, kMaxSettingsFileBytes - text.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    std::istringstream in(text);
    LoadSettingsFrom(in, record);
    return SettingsLoad::Loaded;
}

void LoadSettingsFrom(std::istream& in, SettingsRecord& record) {
    SettingsTokenReader tokens(in);
    ForEachKey(record, [&](const char* key, auto& field, auto rule) {
        if (!tokens.SkipTo(key)) return;
        tokens.Next();  // the separator, normally ":"
        // A key at the very end of the file has no value and keeps the current one.
        if (const auto value = tokens.Next()) ValueStore(record, *value)(field, rule);
    });
}

}  // namespace velmora2
