#include "test_driver_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vek::test {

namespace {

template <class F>
F Resolve(void* handle, const char* name) {
    void* symbol = handle != nullptr ? dlsym(handle, name) : nullptr;
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<F>(symbol);
}

} // namespace

TestDriverLibrary::TestDriverLibrary(const std::string& name) {
    const std::string path = std::string(VEK_BIN_DIR) + "/lib" + name + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW);
    EXPECT_NE(handle_, nullptr) << dlerror();
    reset_ = Resolve<TestDriverResetFn>(handle_, "TestDriverReset");
    failOpen_ = Resolve<TestDriverFailOpenFn>(handle_, "TestDriverFailOpen");
    failAddress_ = Resolve<TestDriverFailAddressFn>(handle_, "TestDriverFailAddress");
    setRegister_ = Resolve<TestDriverSetRegisterFn>(handle_, "TestDriverSetRegister");
    keepBits_ = Resolve<TestDriverKeepBitsFn>(handle_, "TestDriverKeepBits");
    register_ = Resolve<TestDriverRegisterFn>(handle_, "TestDriverRegister");
    callCount_ = Resolve<TestDriverCallCountFn>(handle_, "TestDriverCallCount");
    callAt_ = Resolve<TestDriverCallAtFn>(handle_, "TestDriverCallAt");
    Reset();
}

TestDriverLibrary::~TestDriverLibrary() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

void TestDriverLibrary::FailAddress(std::initializer_list<unsigned char> address) const {
    failAddress_(static_cast<int>(address.size()), address.begin());
}

void TestDriverLibrary::SetRegister(std::initializer_list<unsigned char> address,
                                    uint32_t value) const {
    setRegister_(static_cast<int>(address.size()), address.begin(), value);
}

void TestDriverLibrary::KeepBits(std::initializer_list<unsigned char> address,
                                 uint32_t mask) const {
    keepBits_(static_cast<int>(address.size()), address.begin(), mask);
}

uint32_t TestDriverLibrary::Register(std::initializer_list<unsigned char> address) const {
    return register_(static_cast<int>(address.size()), address.begin());
}

std::vector<TestDriverCall> TestDriverLibrary::Calls() const {
    std::vector<TestDriverCall> calls;
    for (int i = 0; i < callCount_(); ++i) {
        calls.push_back(callAt_(i));
    }
    return calls;
}

std::vector<TestDriverCall> TestDriverLibrary::Calls(int kind) const {
    std::vector<TestDriverCall> calls;
    for (const TestDriverCall& call : Calls()) {
        if (call.kind == kind) {
            calls.push_back(call);
        }
    }
    return calls;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vek-model-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& text) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace vek::test
