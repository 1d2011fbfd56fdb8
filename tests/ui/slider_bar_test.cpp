// The slider bar of a register tree window: its arithmetic (signed bias, the range capped at
// 0xFFFF, pages of a sixteenth, the thumb's scaling), its slots and scroll buttons, and a slider
// moved with the mouse writing its register through the driver.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/slider_bar.h"
#include "ui/tree/slider_math.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/vek_out_view.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace vek {

class SliderBarTest : public QObject {
    Q_OBJECT

private:
    // Clicks the scroll bar's page area to the right of the thumb.
    static void ClickPageRight(QScrollBar* bar) {
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          QPoint(bar->width() - bar->height() - 3, bar->height() / 2));
    }

private Q_SLOTS:
    void arithmeticOfTheSliders() {
        const SliderScale signed8 = SliderScale::Of(8, true);
        QCOMPARE(signed8.range, 255u);
        QCOMPARE(signed8.page, 16u);
        QCOMPARE(signed8.Position(0x80), 0);   // -128 at the left end
        QCOMPARE(signed8.Position(0x7F), 255); // +127 at the right
        QCOMPARE(signed8.Position(0x00), 128);
        QCOMPARE(MoveSlider(signed8, 0x80, SliderMove::PageRight, 0), 0x90u);
        QCOMPARE(MoveSlider(signed8, 0x80, SliderMove::LineLeft, 0), 0x80u);
        QCOMPARE(MoveSlider(signed8, 0x7F, SliderMove::LineRight, 0), 0x7Fu);
        QCOMPARE(MoveSlider(signed8, 0x7A, SliderMove::PageRight, 0), 0x7Fu);
        QCOMPARE(MoveSlider(signed8, 0x00, SliderMove::Thumb, 0), 0x80u);

        const SliderScale wide = SliderScale::Of(32, false);
        QCOMPARE(wide.range, 65535u);
        QCOMPARE(MoveSlider(wide, 0, SliderMove::Thumb, 1), 65537u);
        QCOMPARE(wide.Position(0xFFFFFFFF), 65535);
        QCOMPARE(wide.Position(65537), 1);

        const SliderScale nibble = SliderScale::Of(4, false);
        QCOMPARE(nibble.page, 1u);
        QCOMPARE(MoveSlider(nibble, 0, SliderMove::PageLeft, 0), 0u);
        QCOMPARE(MoveSlider(nibble, 3, SliderMove::Other, 0), 3u);

        QCOMPARE(SliderCaption("GAIN_TRIM"), std::string("GAIN TRIM"));
        QCOMPARE(SliderCaption("_RAW_VALUE"), std::string("_RAW VALUE"));
    }

    void slidersWriteTheirRegisters() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        CSliderBar& bar = tw.window->SliderBar();
        QVERIFY(!bar.isHidden());
        QCOMPARE(bar.Count(), 3);
        QCOMPARE(bar.SlotBox(0)->title(), QStringLiteral("TEMP"));
        QVERIFY(!bar.SlotBox(2)->isHidden());
        QVERIFY(bar.SlotBox(3)->isHidden());
        // Registers move once their value is known; the variable always can.
        QVERIFY(!bar.Slider(0)->isEnabled());
        QVERIFY(bar.Slider(2)->isEnabled());

        driver.SetRegister(0x33, 0x80);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        bar.UpdateSlots();
        QVERIFY(bar.Slider(0)->isEnabled());
        QCOMPARE(bar.Slider(0)->value(), 0);
        QCOMPARE(bar.Slider(1)->maximum(), 65535);

        // A page to the right: -128 + 16, written at once; the row is selected where it shows.
        QVERIFY(fixture.Run(CommandId::ExpandTree));
        ClickPageRight(bar.Slider(0));
        QCOMPARE(driver.Writes(0x33), (std::vector<uint32_t>{0x90}));
        QCOMPARE(tw.tree->GetCaretRow(), tw.Row(QStringLiteral("TEMP")));
        QCOMPARE(bar.Slider(0)->value(), 16);
        QCOMPARE(tw.Data(QStringLiteral("TEMP")), QStringLiteral("90"));

        // While its value is edited the item's slider stands still.
        tw.Item(QStringLiteral("TEMP"))->AddFlags(ItemFlag::Editing);
        bar.UpdateSlots();
        QVERIFY(!bar.Slider(0)->isEnabled());
        tw.Item(QStringLiteral("TEMP"))->RemoveFlags(ItemFlag::Editing);

        // A refused write is not reported by the slider.
        driver.FailAddress(0x33);
        const int lines = fixture.App().OutputView().Lines().size();
        bar.UpdateSlots();
        ClickPageRight(bar.Slider(0));
        QCOMPARE(fixture.App().OutputView().Lines().size(), lines);
    }

    void scrollButtonsPageThroughTheItems() {
        test::AppFixture fixture;
        QString text = QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1 D1;\n");
        for (int i = 0; i < 6; ++i)
            text += QStringLiteral("1: S%1 [0x%2] = 0 b SL;\n").arg(i).arg(i + 16, 2, 16);
        text += QStringLiteral("#EndRegisterList\n");
        fixture.App().OpenDocumentFile(fixture.Files().Write(QStringLiteral("six.vek"), text));
        const test::TreeWindow tw(fixture);
        CSliderBar& bar = tw.window->SliderBar();
        QCOMPARE(bar.Count(), 6);
        QVERIFY(!bar.ScrollButton(-1)->isEnabled());
        QVERIFY(bar.ScrollButton(1)->isEnabled());
        QTest::mouseClick(bar.ScrollButton(CSliderBar::kSlotCount), Qt::LeftButton);
        QCOMPARE(bar.Offset(), 2); // count - 4, not 4
        QCOMPARE(bar.SlotBox(0)->title(), QStringLiteral("S2"));
        QVERIFY(!bar.ScrollButton(1)->isEnabled());
        QVERIFY(bar.ScrollButton(-CSliderBar::kSlotCount)->isEnabled());
        QTest::mouseClick(bar.ScrollButton(-1), Qt::LeftButton);
        QCOMPARE(bar.Offset(), 1);
        QTest::mouseClick(bar.ScrollButton(-CSliderBar::kSlotCount), Qt::LeftButton);
        QCOMPARE(bar.Offset(), 0);
    }
};

} // namespace vek

QTEST_MAIN(vek::SliderBarTest)
#include "slider_bar_test.moc"
