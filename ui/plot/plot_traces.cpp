#include "ui/plot/plot_traces.h"

#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/run_limits.h"
#include "model/shadow_reg.h"
#include "model/transfer_csv.h"
#include "ui/tree/tree_item_rules.h"

#include <algorithm>
#include <cstdio>

namespace vek {

PlotTrace::PlotTrace(const CVarItem& item, const void* owner, std::string name,
                     std::size_t capacity)
    : item_(item), owner_(owner), name_(std::move(name)),
      points_(std::max<std::size_t>(1, capacity)) {}

std::size_t PlotTrace::LowerBound(double time) const {
    std::size_t low = 0;
    std::size_t high = size_;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if ((*this)[mid].time < time)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void PlotTrace::Add(PlotPoint point) {
    if (size_ < points_.size()) {
        points_[(head_ + size_) % points_.size()] = point;
        ++size_;
        return;
    }
    points_[head_] = point;
    head_ = (head_ + 1) % points_.size();
    ++dropped_;
}

void PlotTrace::Clear() {
    head_ = 0;
    size_ = 0;
    dropped_ = 0;
}

PlotTraces::PlotTraces(std::size_t pointsPerTrace) : pointsPerTrace_(pointsPerTrace) {}

PlotTraces::Added PlotTraces::Add(const CVarItem& item, const void* owner, std::string name) {
    for (const auto& trace : traces_) {
        if (&trace->Item() == &item)
            return Added::AlreadyPlotted;
    }
    if (traces_.size() >= kMaxPlotTraces)
        return Added::Full;
    traces_.push_back(std::make_unique<PlotTrace>(item, owner, std::move(name), pointsPerTrace_));
    Index();
    return Added::Yes;
}

void PlotTraces::Remove(std::size_t index) {
    if (index >= traces_.size())
        return;
    traces_.erase(traces_.begin() + static_cast<std::ptrdiff_t>(index));
    Index();
}

bool PlotTraces::Forget(const void* owner) {
    const std::size_t removed =
        std::erase_if(traces_, [owner](const auto& trace) { return trace->Owner() == owner; });
    if (removed > 0)
        Index();
    return removed > 0;
}

void PlotTraces::ClearPoints() {
    for (const auto& trace : traces_)
        trace->Clear();
}

void PlotTraces::Index() {
    byRegister_.clear();
    for (const auto& trace : traces_) {
        const CVarItem& item = trace->Item();
        if (item.GetKind() == ItemKind::Register) {
            const auto& reg = static_cast<const CByteItem&>(item);
            for (std::size_t k = 0; k < reg.GetPartCount(); ++k)
                byRegister_.emplace(reg.GetPart(k).shadow, trace.get());
        } else {
            byRegister_.emplace(item.GetShadowReg(), trace.get());
        }
    }
}

bool PlotTraces::NoteRead(const CShadowReg& reg, double time) {
    const auto [first, last] = byRegister_.equal_range(&reg);
    for (auto it = first; it != last; ++it)
        it->second->Add({time, NumericValue(it->second->Item())});
    return first != last;
}

std::optional<std::pair<double, double>> PlotTraces::TimeSpan() const {
    std::optional<std::pair<double, double>> span;
    for (const auto& trace : traces_) {
        if (trace->Size() == 0)
            continue;
        const double from = (*trace)[0].time;
        const double to = (*trace)[trace->Size() - 1].time;
        span = span ? std::make_pair(std::min(span->first, from), std::max(span->second, to))
                    : std::make_pair(from, to);
    }
    return span;
}

std::string PlotTraces::Csv() const {
    struct Row {
        double time;
        std::size_t trace;
        std::int64_t value;
    };
    std::vector<Row> rows;
    for (std::size_t t = 0; t < traces_.size(); ++t) {
        for (std::size_t i = 0; i < traces_[t]->Size(); ++i)
            rows.push_back({(*traces_[t])[i].time, t, (*traces_[t])[i].value});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.time < b.time; });
    std::string text = "time_s,trace,value\n";
    for (const Row& row : rows) {
        char time[32];
        std::snprintf(time, sizeof time, "%.3f,", row.time);
        text += time;
        AppendCsvField(text, traces_[row.trace]->Name());
        text += ',' + std::to_string(row.value) + '\n';
    }
    return text;
}

std::string PlotName(const CVarItem& item) {
    std::string name;
    if (const CShadowReg* shadow = item.GetShadowReg())
        name = std::string(shadow->GetDeviceName()) + '.';
    if (item.GetKind() == ItemKind::BitField) {
        if (const CByteItem* reg = static_cast<const CBitItem&>(item).GetRegister())
            name += std::string(reg->GetName()) + '.';
    }
    return name + std::string(item.GetName());
}

} // namespace vek
