// The pure helpers of the desktop: text between bytes and Qt, dialog filters, progress bar widths.
#include <gtest/gtest.h>

#include <QStringDecoder>

#include "ui/progress_panel.h"
#include "ui/qt_text.h"

namespace zav {
namespace {

TEST(QtText, BytesAreWindows1252Letters) {
    EXPECT_EQ(ToQt("caf\xE9 \x80 \x9F"), QString::fromUtf8("caf\u00E9 \u20AC \u0178"));
    EXPECT_EQ(FromQt(QString::fromUtf8("caf\u00E9 \u20AC \u0178")), "caf\xE9 \x80 \x9F");
    EXPECT_EQ(FromQt(QString::fromUtf8("\u03A9 \U0001F600 ok")), "? ? ok");  // no such letter in the code page
    EXPECT_EQ(MessageText("Check Log\r\nConversion Not Complete\rEnd"), "Check Log\nConversion Not Complete\nEnd");
    // Every byte, as Qt's own decoder reads the code page.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    QStringDecoder decoder("windows-1252");
    EXPECT_EQ(ToQt(all), decoder.decode(QByteArrayView(all.data(), 256)));
    EXPECT_EQ(ToQt(""), "");
}

TEST(QtText, FileFiltersAsQtWritesThem) {
    EXPECT_EQ(QtFileFilter("Distribution Files (*.dst)|*.dst|All Files(*.*)|*.*"),
              "Distribution Files (*.dst *.DST);;All Files (*)");
    EXPECT_EQ(QtFileFilter("Maps|*.zcm;*.ZRM"), "Maps (*.zcm *.ZCM *.ZRM)");
}

TEST(ProgressPanel, BarWidthIsTheShareOfTheInnerWidth) {
    struct Case {
        int inner;
        long max, current;
        int width;
    };
    const Case cases[] = {
        {1000, 300, 150, 500},  {1000, 300, 0, 0},  {1000, 300, 300, 1000},
        {1000, 300, 450, 1000}, {1000, 300, -5, 0}, {1000, 0, 10, 0},
        {1000, -1, 10, 0},      {0, 300, 150, 0},   {1000, 2147483647L, 2147483646L, 999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressBarWidth(c.inner, c.max, c.current), c.width) << c.max << " " << c.current;
}

}  // namespace
}  // namespace zav
