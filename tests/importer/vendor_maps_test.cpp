#include "imported_compile.h"

#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace vek {
namespace {

// The registers an SVD file declares, counted here from the XML alone: arrays times their
// dim, clusters times theirs, derived peripherals with their base's registers, and registers
// wider than 32 bits twice (they become two).
class DeclaredRegisters {
public:
    explicit DeclaredRegisters(const pugi::xml_node device) {
        for (const pugi::xml_node peripheral : device.child("peripherals").children("peripheral"))
            byName_[peripheral.child_value("name")] = peripheral;
    }

    std::size_t Total() const {
        std::size_t total = 0;
        for (const auto& [name, peripheral] : byName_)
            total += Dim(peripheral) * Peripheral(peripheral);
        return total;
    }

private:
    static std::size_t Dim(const pugi::xml_node node) {
        const char* dim = node.child_value("dim");
        return *dim ? std::stoul(dim, nullptr, 0) : 1;
    }

    std::size_t Peripheral(const pugi::xml_node peripheral) const {
        const pugi::xml_node registers = peripheral.child("registers");
        const std::string base = peripheral.attribute("derivedFrom").value();
        if (base.empty())
            return Contents(registers);
        std::size_t count = Peripheral(byName_.at(base));
        // A derived peripheral's own register takes the place of the base's of its name.
        std::set<std::string> baseNames;
        for (const pugi::xml_node child : byName_.at(base).child("registers").children())
            baseNames.insert(child.child_value("name"));
        for (const pugi::xml_node child : registers.children()) {
            if (baseNames.contains(child.child_value("name"))) {
                for (const pugi::xml_node old : byName_.at(base).child("registers").children()) {
                    if (std::string(old.child_value("name")) == child.child_value("name"))
                        count -= Element(old);
                }
            }
            count += Element(child);
        }
        return count;
    }

    static std::size_t Element(const pugi::xml_node node) {
        const std::string kind = node.name();
        if (kind == "cluster")
            return Dim(node) * Contents(node);
        if (kind != "register")
            return 0;
        const char* size = node.child_value("size");
        return Dim(node) * (*size && std::stoul(size, nullptr, 0) > 32 ? 2 : 1);
    }

    static std::size_t Contents(const pugi::xml_node holder) {
        std::size_t count = 0;
        for (const pugi::xml_node child : holder.children())
            count += Element(child);
        return count;
    }

    std::map<std::string, pugi::xml_node> byName_;
};

class VendorMap : public ::testing::TestWithParam<const char*> {};

TEST_P(VendorMap, ImportsWithoutErrorsAndKeepsEveryDeclaredRegister) {
    const std::string path = std::string(VEK_SHARED_SVD_DIR) + "/" + GetParam();
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "the vendors' SVD files are not in " << VEK_SHARED_SVD_DIR;
    Result<std::string> text = ReadTextFile(path, kDescriptionFileLimit);
    ASSERT_TRUE(text);
    Result<ImportedDescription> imported = ImportRegisterMap(path, text.Value(), "gdbdrv.dll");
    ASSERT_TRUE(imported) << imported.Error().text;
    const ImportedTree tree = CompileImported(imported.Value().text);
    EXPECT_EQ(tree.errors, 0) << tree.lines;

    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(text.Value().data(), text.Value().size()));
    EXPECT_EQ(tree.registers.size(), DeclaredRegisters(document.child("device")).Total());
}

INSTANTIATE_TEST_SUITE_P(SharedFiles, VendorMap,
                         ::testing::Values("CMSDK_CM3.svd", "STM32F100xx.svd", "STM32F405.svd",
                                           "nrf51.svd", "rp2040.svd"),
                         [](const auto& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

} // namespace
} // namespace vek
