#include "map_generator.h"

#include <cstdio>

namespace vek {

std::string GenerateSvd(int peripherals, int registers, int fields) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<device schemaVersion=\"1.3\">\n"
        "<name>GENERATED</name>\n<size>32</size>\n<resetValue>0</resetValue>\n"
        "<peripherals>\n";
    char line[160];
    for (int p = 0; p < peripherals; ++p) {
        std::snprintf(line, sizeof line,
                      "<peripheral><name>PERIPH%d</name><description>Peripheral %d</description>"
                      "<baseAddress>0x%08X</baseAddress><registers>\n",
                      p, p, 0x40000000u + 0x10000u * static_cast<unsigned>(p));
        text += line;
        for (int r = 0; r < registers; ++r) {
            std::snprintf(line, sizeof line,
                          "<register><name>REG%d</name><description>Register %d</description>"
                          "<addressOffset>0x%X</addressOffset><fields>\n",
                          r, r, 4 * r);
            text += line;
            for (int f = 0; f < fields; ++f) {
                std::snprintf(line, sizeof line,
                              "<field><name>F%d_%d</name><bitOffset>%d</bitOffset><bitWidth>1"
                              "</bitWidth>",
                              r, f, f);
                text += line;
                // Vendors enumerate the values of some fields: here one register's in ten.
                if (r % 10 == 0)
                    text += "<enumeratedValues>\n"
                            "<enumeratedValue><name>OFF</name><value>0</value></enumeratedValue>\n"
                            "<enumeratedValue><name>ON</name><value>1</value></enumeratedValue>\n"
                            "</enumeratedValues>";
                text += "</field>\n";
            }
            text += "</fields></register>\n";
        }
        text += "</registers></peripheral>\n";
    }
    return text + "</peripherals>\n</device>\n";
}

} // namespace vek
