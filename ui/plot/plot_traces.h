#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

class CShadowReg;
class CVarItem;

// A value of a trace: seconds since the plot began, and the item's value as a number of its
// width and sign.
struct PlotPoint {
    double time = 0.0;
    std::int64_t value = 0;
};

// One plotted register or bit field: its points in time order in bounded memory, the oldest
// giving way.
class PlotTrace {
public:
    PlotTrace(const CVarItem& item, const void* owner, std::string name, std::size_t capacity);

    const CVarItem& Item() const { return item_; }
    // The document the item belongs to: its traces go with it.
    const void* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Points dropped to keep within the capacity since the last Clear.
    std::size_t Dropped() const { return dropped_; }

    std::size_t Size() const { return size_; }
    const PlotPoint& operator[](std::size_t i) const {
        return points_[(head_ + i) % points_.size()];
    }
    // The first point at or after `time`.
    std::size_t LowerBound(double time) const;
    void Add(PlotPoint point);
    void Clear();

private:
    const CVarItem& item_;
    const void* owner_;
    std::string name_;
    std::vector<PlotPoint> points_; // a ring: head_ is the oldest
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::size_t dropped_ = 0;
};

// The plot's traces, found by the shadow registers their values live in so that each read adds
// its point in constant time.
class PlotTraces {
public:
    enum class Added { Yes, AlreadyPlotted, Full };

    explicit PlotTraces(std::size_t pointsPerTrace);

    // A trace for a register (all its parts) or a bit field. `name` is how the legend and the
    // export call it.
    Added Add(const CVarItem& item, const void* owner, std::string name);
    void Remove(std::size_t index);
    // Drops the traces of a document that goes; true when there were any.
    bool Forget(const void* owner);
    // Empties every trace; the traces stay.
    void ClearPoints();

    // A read of the register ended with the items up to date: each trace whose value lives in it
    // gets a point. True when one did.
    bool NoteRead(const CShadowReg& reg, double time);

    std::size_t Count() const { return traces_.size(); }
    const PlotTrace& At(std::size_t index) const { return *traces_[index]; }
    // The first and last time of any trace; none without points.
    std::optional<std::pair<double, double>> TimeSpan() const;
    // Every point as comma-separated values in time order: "time_s,trace,value".
    std::string Csv() const;

private:
    void Index();

    std::size_t pointsPerTrace_;
    std::vector<std::unique_ptr<PlotTrace>> traces_;
    std::unordered_multimap<const CShadowReg*, PlotTrace*> byRegister_;
};

// The name a trace of the item gets: device, register and field, joined by ".".
std::string PlotName(const CVarItem& item);

} // namespace vek
