#pragma once

#include <string>

namespace vek::test {

// A board behind one driver: a chip whose bus address 0x10 is the high address byte, with
// registers of every access type, byte orders, a register of two parts, a READ and a WRITE
// register at one address and macros around CTRL's transfers; a second device with a 4-byte
// register in reversed byte order.
inline std::string BoardDescription(const std::string& driverFile = "testdrv.dll") {
    return "#BeginRegisterList \"" + driverFile + "\"\n" + R"(0: CHIP A2 D1 [0x10] << 1.1;
1: CTRL [0x00] = 0x5A b W{ BeforeW, AfterW } R{ BeforeR, AfterR };
   EN [0x00] & 0x01;
1: STAT [0x01] = 0 s;
1: RO [0x02] = 0x11 r;
1: WO [0x03] = 0x22 w;
1: PR [0x04] = 0x33 f;
1: WIDE [0x08] = 0x1234 D2.2 O21 b;
1: JOINED [0x0A] = 0x12, [0x0B] = 0x34 b;
1: RD [0x0C] = 0 r;
1: WR [0x0C] = 0 w;
1: $ Count = 0 B8;
0: OTHER A1 D4;
1: BIG [0x40] = 0x01020304 D4.4 O4321 b;
#EndRegisterList
#BeginMacro BeforeW
[CHIP]
  WO = 1;
#EndMacro
#BeginMacro AfterW
[CHIP]
  WO = 2;
#EndMacro
#BeginMacro BeforeR
[CHIP]
  Count = 3;
#EndMacro
#BeginMacro AfterR
[CHIP]
  Count = STAT;
#EndMacro
)";
}

} // namespace vek::test
