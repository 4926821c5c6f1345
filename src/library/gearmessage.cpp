#include "library/gearmessage.h"

namespace {

bool dataByte(int v) {
    return v >= 0 && v <= 0x7f;
}

}  // namespace

std::vector<std::vector<unsigned char>> GearMessage::wire() const {
    using Bytes = std::vector<unsigned char>;
    std::vector<Bytes> out;
    if (kind == Kind::SysEx) {
        if (sysEx.size() < 2 || static_cast<unsigned char>(sysEx.front()) != 0xf0 ||
            static_cast<unsigned char>(sysEx.back()) != 0xf7) {
            return out;
        }
        for (qsizetype i = 1; i + 1 < sysEx.size(); ++i) {
            if (static_cast<unsigned char>(sysEx[i]) > 0x7f) {
                return out;
            }
        }
        out.emplace_back(sysEx.begin(), sysEx.end());
        return out;
    }
    if (channel < 1 || channel > 16 || !dataByte(number)) {
        return out;
    }
    const auto ch = static_cast<unsigned char>(channel - 1);
    if (kind == Kind::Control) {
        if (!dataByte(value)) {
            return out;
        }
        out.push_back(Bytes{static_cast<unsigned char>(0xb0 | ch),
                            static_cast<unsigned char>(number), static_cast<unsigned char>(value)});
        return out;
    }
    if ((bankMsb != -1 && !dataByte(bankMsb)) || (bankLsb != -1 && !dataByte(bankLsb))) {
        return out;
    }
    if (bankMsb != -1) {
        out.push_back(Bytes{static_cast<unsigned char>(0xb0 | ch), 0x00,
                            static_cast<unsigned char>(bankMsb)});
    }
    if (bankLsb != -1) {
        out.push_back(Bytes{static_cast<unsigned char>(0xb0 | ch), 0x20,
                            static_cast<unsigned char>(bankLsb)});
    }
    out.push_back(Bytes{static_cast<unsigned char>(0xc0 | ch), static_cast<unsigned char>(number)});
    return out;
}
