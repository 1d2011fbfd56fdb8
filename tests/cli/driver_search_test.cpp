// Where vek looks for the drivers a description names: the folders the user gives and the
// program's own, never the description's folder, never a path written in the description and
// never the system's library search.
#include "board_description.h"
#include "vek_run.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

class DriverSearch : public VekFolderTest {
protected:
    void SetUp() override {
        VekFolderTest::SetUp();
        unsetenv("VEK_DRIVER_PATH");
        setenv("VEK_PLANTED_MARK", Temp("planted-ran").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("VEK_DRIVER_PATH");
        unsetenv("VEK_PLANTED_MARK");
        VekFolderTest::TearDown();
    }

    // A library of the build copied into the test's folder under another name.
    std::string Plant(const std::string& library, const std::string& as) const {
        fs::create_directories(fs::path(Temp(as)).parent_path());
        fs::copy_file(std::string(VEK_BIN_DIR) + "/" + library, Temp(as),
                      fs::copy_options::overwrite_existing);
        return Temp(as);
    }
    bool PlantedRan() const { return fs::exists(Temp("planted-ran")); }
};

TEST_F(DriverSearch, ALibraryBesideTheDescriptionDoesNotRun) {
    for (const char* name : {"pardrv32.dll", "pardrv32.so", "libpardrv32.so"})
        Plant("libplanted.so", name);
    std::ifstream demo(Example("demo.vek"));
    std::ostringstream text;
    text << demo.rdbuf();
    const std::string board = Write("demo.vek", text.str());

    const VekRun run = Vek({"open", board, "--simulate", "show", "OUTPUT"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_FALSE(PlantedRan());
    EXPECT_THAT(run.err, Not(HasSubstr("driver error")));
    // The program's own driver is not named with its path.
    EXPECT_THAT(run.err, HasSubstr("pardrv32.dll\n"));
    EXPECT_THAT(run.err, Not(HasSubstr("loaded from")));
}

TEST_F(DriverSearch, ADriverNameIsAFileNameNeverAPath) {
    const std::string planted = std::string(VEK_BIN_DIR) + "/libplanted.so";
    // "../bin/..." reaches the build's folder from the program's folder itself.
    for (const std::string& name :
         {planted, std::string("../bin/libplanted.so"), std::string("..\\bin\\libplanted.so"),
          std::string(".."), std::string(".")}) {
        SCOPED_TRACE(name);
        const std::string board = Write("board.vek", test::BoardDescription(name));
        const VekRun run = Vek({"open", board, "read", "STAT"});
        EXPECT_EQ(run.status, kExitErrors);
        EXPECT_THAT(run.err, HasSubstr("driver error D01: cannot load the driver : " + name +
                                       "\na driver is named by its file name, not by a path"));
        EXPECT_FALSE(PlantedRan());
    }
}

TEST_F(DriverSearch, NoDriverComesFromTheSystemsLibrarySearch) {
    // The C library is always there for the system's search to find.
    const std::string board = Write("board.vek", test::BoardDescription("libc.so.6"));
    const VekRun run = Vek({"open", board, "read", "STAT"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D01: cannot load the driver : libc.so.6\n"
                                   "'libc.so.6' not found in the driver folders\n"));
    EXPECT_THAT(run.err, Not(HasSubstr("D02")));
}

TEST_F(DriverSearch, ADriverFromANamedFolderIsNamedWithItsPath) {
    const std::string board = Write("board.vek", test::BoardDescription());
    const std::string fromOption = Plant("libtestdrv.so", "option/libtestdrv.so");
    const VekRun option =
        Vek({"open", board, "--driver-path", Temp("option"), "save", Temp("board.vkg")});
    EXPECT_EQ(option.status, kExitOk) << option.err;
    EXPECT_THAT(option.err, HasSubstr("testdrv.dll\ntestdrv.dll loaded from " + fromOption + "\n"));

    // The command line's folder comes before VEK_DRIVER_PATH's, which comes before the program's.
    const std::string fromVariable = Plant("libtestdrv.so", "variable/libtestdrv.so");
    setenv("VEK_DRIVER_PATH", (Temp("none") + "::" + Temp("variable")).c_str(), 1);
    EXPECT_THAT(Vek({"open", board, "read", "STAT"}).err,
                HasSubstr("testdrv.dll loaded from " + fromVariable + "\n"));
    EXPECT_THAT(Vek({"open", board, "--driver-path", Temp("option"), "read", "STAT"}).err,
                HasSubstr("testdrv.dll loaded from " + fromOption + "\n"));
    const VekRun diff = Vek({"diff", board, Temp("board.vkg"), "--driver-path", Temp("option")});
    EXPECT_THAT(diff.err, HasSubstr("testdrv.dll loaded from " + fromOption + "\n"));
}

TEST_F(DriverSearch, AnOverrideThatDoesNotLoadIsAnErrorNotTheBundledDriver) {
    const std::string board = Write("board.vek", test::BoardDescription());
    fs::create_directories(Temp("broken"));
    Write("broken/libtestdrv.so", std::string(4096, '?'));
    setenv("VEK_DRIVER_PATH", Temp("broken").c_str(), 1);
    const VekRun run = Vek({"open", board, "read", "STAT"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D01: cannot load the driver : testdrv.dll\n" +
                                   Temp("broken/libtestdrv.so") + ": "));
    EXPECT_THAT(run.err, Not(HasSubstr("loaded from")));
}

} // namespace
} // namespace vek
