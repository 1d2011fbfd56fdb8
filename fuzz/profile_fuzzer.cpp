// Reads the fuzzed bytes as a profile file, looks up every section and key the text seems to
// name, changes some keys, saves the profile into a scratch folder and reads it back. Besides
// surviving every input, the reader must agree with itself: the file read and the text parsed
// give the same entries, a key set reads back as set, and a save loses nothing.
#include "platform/profile_file.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;
// Section names with the key names below them.
using Names = std::map<std::string, std::set<std::string>>;

void Expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "profile fuzzer: %s\n", what);
        std::abort();
    }
}

// The names the text seems to give, read more loosely than the profile reads it: any "[" opens
// a section named up to the next "]" or the line's end, and the text before the first "=" of the
// lines below it names a key. Names that are no section or key test the look-ups' misses.
Names NamesIn(std::string_view text) {
    Names names;
    std::set<std::string>* keys = nullptr;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (const std::size_t open = line.find('['); open != std::string_view::npos) {
            const std::string_view rest = line.substr(open + 1);
            keys = &names[std::string(rest.substr(0, rest.find(']')))];
        } else if (const std::size_t equals = line.find('=');
                   keys != nullptr && equals != std::string_view::npos) {
            keys->emplace(line.substr(0, equals));
        }
    }
    return names;
}

void LookUp(const vek::ProfileFile& profile, const Names& names) {
    for (const auto& [section, keys] : names) {
        profile.Keys(section);
        for (const std::string& key : keys) {
            profile.Value(section, key);
            profile.GetString(section, key, "fallback", 8);
            profile.GetInt(section, key, -1);
            profile.HasKey(section, key);
        }
    }
}

// Sets the first key of every section and adds a key to it, and adds a section; each key that
// was set must read back with its new value.
void Change(vek::ProfileFile& profile, Names& names) {
    names["FuzzAdded"].emplace("Key");
    for (auto& [section, keys] : names) {
        std::vector<std::pair<std::string, std::string>> changes = {{"FuzzKey", "added"}};
        if (!keys.empty()) {
            changes.emplace_back(*keys.begin(), "changed");
        }
        for (const auto& [key, value] : changes) {
            if (profile.SetString(section, key, value)) {
                Expect(profile.Value(section, key) == value, "a key set reads back otherwise");
            }
        }
        keys.emplace("FuzzKey");
    }
}

std::map<std::string, Entries> AllEntries(const vek::ProfileFile& profile, const Names& names) {
    std::map<std::string, Entries> entries;
    for (const auto& [section, keys] : names) {
        entries[section] = profile.Entries(section);
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vek::ProfileFile;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string path = vek::fuzz::WriteScratchFile("profile.ini", text);
    ProfileFile profile(path);
    Expect(static_cast<bool>(profile.Load()), "a readable file fails to load");

    Names names = NamesIn(text);
    Expect(AllEntries(profile, names) == AllEntries(ProfileFile::Parse(text), names),
           "the file read and the text parsed differ");
    LookUp(profile, names);
    Change(profile, names);
    const std::map<std::string, Entries> changed = AllEntries(profile, names);

    Expect(static_cast<bool>(profile.Save()), "the profile cannot be saved");
    ProfileFile reread(path);
    Expect(static_cast<bool>(reread.Load()), "the saved profile fails to load");
    Expect(AllEntries(reread, names) == changed, "the saved profile reads back otherwise");
    return 0;
}
