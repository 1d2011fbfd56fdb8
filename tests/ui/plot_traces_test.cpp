// The plot's traces without widgets: each read reaches only the traces whose value lives in that
// register, a trace keeps its newest points in order within its capacity, and traces go with
// their document.
#include "model/bit_item.h"
#include "model/run_limits.h"
#include "model/shadow_reg.h"
#include "ui/plot/plot_traces.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vek {
namespace {

std::unique_ptr<CShadowReg> Register(uint8_t address) {
    ShadowRegLayout layout;
    layout.address[0] = address;
    layout.addressLength = 1;
    layout.mask = 0xFF;
    return CShadowReg::Create(layout);
}

TEST(PlotTraces, AReadGivesAPointToTheTracesOfItsRegisterOnly) {
    const auto a = Register(0x10);
    const auto b = Register(0x11);
    CBitItem onA;
    onA.SetShadowReg(a.get());
    onA.SetMask(0x0F);
    onA.SetWidth(4);
    onA.SetValueField(0x9);
    CBitItem onB;
    onB.SetShadowReg(b.get());
    onB.SetWidth(4);
    int document = 0;
    PlotTraces traces(kPlotTraceCapacity);
    EXPECT_EQ(traces.Add(onA, &document, "A"), PlotTraces::Added::Yes);
    EXPECT_EQ(traces.Add(onB, &document, "B"), PlotTraces::Added::Yes);
    EXPECT_EQ(traces.Add(onA, &document, "A again"), PlotTraces::Added::AlreadyPlotted);
    EXPECT_FALSE(traces.TimeSpan().has_value());

    EXPECT_TRUE(traces.NoteRead(*a, 1.5));
    onA.AddFlags(ItemFlag::Signed); // four bits, 0x9: -7 once shown signed
    EXPECT_TRUE(traces.NoteRead(*a, 2.0));
    ASSERT_EQ(traces.At(0).Size(), 2U);
    EXPECT_EQ(traces.At(0)[0].value, 9);
    EXPECT_EQ(traces.At(0)[1].value, -7);
    EXPECT_EQ(traces.At(1).Size(), 0U);
    const auto unplotted = Register(0x12);
    EXPECT_FALSE(traces.NoteRead(*unplotted, 3.0));
    EXPECT_EQ(traces.TimeSpan(), std::make_pair(1.5, 2.0));
    EXPECT_EQ(traces.Csv(), "time_s,trace,value\n1.500,A,9\n2.000,A,-7\n");

    // Removing a trace takes its register out of the index.
    traces.Remove(0);
    EXPECT_FALSE(traces.NoteRead(*a, 4.0));
    EXPECT_TRUE(traces.NoteRead(*b, 4.0));
    int other = 0;
    EXPECT_FALSE(traces.Forget(&other));
    EXPECT_TRUE(traces.Forget(&document));
    EXPECT_EQ(traces.Count(), 0U);
    EXPECT_FALSE(traces.NoteRead(*b, 5.0));
}

TEST(PlotTraces, ATraceKeepsItsNewestPointsInOrderAndANumberOfThem) {
    const auto reg = Register(0x10);
    std::vector<std::unique_ptr<CBitItem>> items;
    PlotTraces traces(4);
    int document = 0;
    for (std::size_t i = 0; i <= kMaxPlotTraces; ++i) {
        items.push_back(std::make_unique<CBitItem>());
        items.back()->SetShadowReg(reg.get());
        const auto added = traces.Add(*items.back(), &document, "F" + std::to_string(i));
        EXPECT_EQ(added, i < kMaxPlotTraces ? PlotTraces::Added::Yes : PlotTraces::Added::Full);
    }
    for (int t = 0; t < 7; ++t) {
        items[0]->SetValueField(static_cast<uint32_t>(t));
        traces.NoteRead(*reg, t);
    }
    const PlotTrace& trace = traces.At(0);
    ASSERT_EQ(trace.Size(), 4U);
    EXPECT_EQ(trace.Dropped(), 3U);
    for (std::size_t i = 0; i < trace.Size(); ++i)
        EXPECT_EQ(trace[i].time, static_cast<double>(i + 3));
    EXPECT_EQ(trace.LowerBound(4.5), 2U);
    EXPECT_EQ(trace.LowerBound(0.0), 0U);
    EXPECT_EQ(trace.LowerBound(9.0), 4U);
    traces.ClearPoints();
    EXPECT_EQ(traces.At(0).Size(), 0U);
    EXPECT_EQ(traces.At(0).Dropped(), 0U);
    EXPECT_EQ(traces.Count(), kMaxPlotTraces);
}

} // namespace
} // namespace vek
