#pragma once

#include "compiler/diagnostics.h"
#include "model/basic_macro.h"
#include "model/register_codes.h"
#include "model/register_context.h"
#include "model/vek_macro.h"
#include "platform/dynamic_library.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vek {

class CDriver;
class CItemList;
class CLineItem;
class CShadowReg;
class Host;
class ProfileFile;

// One opened register description: it compiles the file, keeps the compiled items and macros,
// binds the drivers, holds the simulation and macro switches, runs the transfers over all
// registers, and saves and loads register values in .vkg files. Every line for the output
// window and every question goes through the host.
class CVekDoc {
public:
    explicit CVekDoc(Host& host);
    // Deletes the drivers (each closed and unloaded), then the items and macros.
    ~CVekDoc();

    // Compiles the description and binds its drivers; the output window gets the compiler's
    // lines and the summary "<file> - <n> error(s)". False when the file cannot be read, the
    // compile found errors, or the user declined simulation for a driver that failed. A caller
    // that has read the file already gives its text, since a pipe can be read only once.
    bool OpenDocument(const std::string& path, std::optional<std::string> text = std::nullopt);
    // Compiles the description and builds its registers as OpenDocument does, but loads no
    // driver library: the registers can be named and hold values, and every transfer fails as
    // through a driver that is not loaded. The output window gets the compiler's lines and, with
    // errors, the summary. False when the file cannot be read or has errors.
    bool OpenWithoutDrivers(const std::string& path);
    // Binds every driver of the compiled items. False when the user declined simulation.
    bool LoadDrivers();
    // Ends an open that OpenWithoutDrivers began as OpenDocument ends it: binds the drivers and
    // reports the summary. So a description can be compiled, and its errors seen, before the
    // drivers of an earlier copy of it are closed.
    bool BindDrivers();
    // The folders the user named for driver libraries; the program's own folder is searched
    // after them (DriverSearchDirectories).
    void SetDriverFolders(DriverFolders folders) { driverFolders_ = std::move(folders); }
    // Where the compiler's diagnostics go instead of the output window (none: the window).
    void SetDiagnosticSink(DiagnosticSink sink) { diagnosticSink_ = std::move(sink); }

    bool IsCompiled() const { return compiled_; }
    // The description's absolute path.
    const std::string& GetPath() const { return path_; }
    // The item at a zero-based position of the item list; null for -1, beyond the end or
    // before a successful compile.
    CLineItem* GetItem(int index) const;
    std::size_t GetItemCount() const { return itemIndex_.size(); }
    // Null before a successful compile.
    const CItemList* GetItems() const { return items_.get(); }
    const std::vector<std::unique_ptr<CVekMacro>>& GetMacros() const { return macros_; }
    const std::vector<std::unique_ptr<CBasicMacro>>& GetScriptMacros() const {
        return scriptMacros_;
    }
    const std::vector<std::unique_ptr<CDriver>>& GetDrivers() const { return drivers_; }

    // Transfers every shadow register of every device of every driver, in order. Each failure's
    // text goes to the output window (the first one also raises it); the run never stops early.
    // Returns the number of failed transfers. ReadAll passes over the registers whose read changes
    // the chip and says in one line how many it left.
    int WriteAll(TransferFlags flags);
    int ReadAll();
    // The item's own Write/Read (with its macros); a failure's text goes to the output window.
    bool WriteRegister(CLineItem& item);
    bool ReadRegister(CLineItem& item);

    void ToggleSimulation();
    bool IsSimulation() const { return context_.simulation; }
    void ToggleReadMacros();
    void ToggleWriteMacros();
    // Whether the register macros run.
    MacroFlags GetFlags() const { return flags_; }
    // VekClose then VekOpen for every driver whose VekOpen succeeded. In simulation mode no
    // driver is touched and that is said. False when no driver was reset or an open failed.
    bool ResetDrivers();
    // Whether at least one driver was opened.
    bool DriverOpened() const { return driverOpened_; }

    // Writes the register values into a .vkg file (any case of the ending), emptied first: the
    // HEADER keys, then each driver's part. The file is replaced only once it is complete.
    // False, with a line for the output window, for another ending or when it cannot be written.
    bool SaveValues(const std::string& file, const std::string& comment);
    // What SaveValues writes, put into a profile that the caller keeps (in memory, for
    // instance, to compare it with a saved file).
    void StoreValues(ProfileFile& values, const std::string& comment) const;
    // Loads register values and writes each known one to its device at once. A file saved for
    // another description is loaded only when the user says Yes. Lines that are not values of
    // their register are skipped and named in the output window. False when the file cannot be
    // read, the user said No, nothing in it was a value of this description, or a write failed.
    bool LoadValues(const std::string& file);
    // The same for values already read, or put together by StoreValues (which names this
    // description, so nothing is asked); `file` names them in the output window's lines.
    bool LoadValues(const ProfileFile& values, const std::string& file);

    // The shadow registers of the drivers and devices of these names, in driver, device and
    // address order. An empty name takes all; a name that no driver (device) has gives no list
    // at all (nullopt), which is different from an empty list.
    std::optional<std::vector<CShadowReg*>> CollectRegisters(const std::string& driverName,
                                                             const std::string& deviceName) const;

    RegisterContext& Context() { return context_; }

private:
    void Clear();
    // Reads and compiles the description and takes the compiled lists; false with the summary
    // in the output window when the file cannot be read or has errors.
    bool Compile(const std::string& path, std::optional<std::string> text);
    // Closes every driver and unlinks the items from the registers that go with them.
    void DropDrivers();
    void TakeCompiled(std::unique_ptr<CItemList> items);
    void UpdateAllItems(UpdateCodes code);
    void ToggleMacros(MacroFlag flag, UpdateCode itemSwitch);
    // Sends a failed single transfer's reason to the output window; returns `transferred`.
    bool Report(bool transferred, const CLineItem& item);
    // transfer(registers, failed) for each device's registers; failed(reg) shows the register's
    // error and counts it. Gives the count.
    template <class Transfer>
    int TransferAll(Transfer transfer);
    // Makes a driver for each driver line of the items and lets `take` bind it; stops at the
    // first that `take` refuses.
    template <class Take>
    bool TakeDrivers(Take take);

    Host& host_;
    RegisterContext context_;
    std::string path_;
    DriverFolders driverFolders_;
    DiagnosticSink diagnosticSink_;
    bool compiled_ = false;
    MacroFlags flags_ = MacroFlag::ReadMacros | MacroFlag::WriteMacros;
    bool driverOpened_ = false;
    std::unique_ptr<CItemList> items_;
    std::vector<CLineItem*> itemIndex_; // the items in list order, for GetItem
    std::vector<std::unique_ptr<CVekMacro>> macros_;
    std::vector<std::unique_ptr<CBasicMacro>> scriptMacros_;
    std::vector<std::unique_ptr<CDriver>> drivers_;
};

} // namespace vek
