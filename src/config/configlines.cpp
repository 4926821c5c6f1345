#include "config/configlines.h"

namespace ConfigLines {

std::vector<LineSpec> of(ConfigData& d, ConfigLayout layout) {
    const Slot path{&d.PathLavoro, Kind::Text, true, Check::Path};
    const LineSpec metro{{&d.MetroFreq, Kind::Number, false},
                         {&d.MetroDurata, Kind::Number, false},
                         {&d.MetroAudio, Kind::Number, false, Check::Int16},
                         {&d.Quarti, Kind::Number, false, Check::Int16}};
    const LineSpec font{{&d.fontName, Kind::Text, false},
                        {&d.fontSize, Kind::Number, false, Check::FontSize},
                        {&d.fontBold, Kind::Bool, false},
                        {&d.fontItalic, Kind::Bool, false}};
    const LineSpec intervals{{&d.pedalInterval, Kind::Number, false, Check::Interval},
                             {&d.preMuteInterval, Kind::Number, false, Check::Interval},
                             {&d.bufferInterval, Kind::Number, false, Check::Interval},
                             {&d.debounceInterval, Kind::Number, false, Check::Interval}};
    LineSpec colours{{&d.leftBackColor, Kind::Number, false, Check::Color},
                     {&d.leftForeColor, Kind::Number, false, Check::Color}};
    if (layout == ConfigLayout::Untagged) {
        return {{path}, metro, font, intervals, colours};
    }
    colours.push_back({&d.rightBackColor, Kind::Number, false, Check::Color});
    colours.push_back({&d.rightForeColor, Kind::Number, false, Check::Color});
    std::vector<LineSpec> lines{
        {{&d.version, Kind::Text, false}}, {path}, metro, font, intervals, colours};

    const int columns = layout == ConfigLayout::V28 ? 7 : layout == ConfigLayout::V27 ? 6 : 0;
    Value* const flags[] = {&d.MostraPagina,  &d.MostraCapotasto, &d.MostraBPM,   &d.MostraLoop,
                            &d.MostraGroove1, &d.MostraGroove2,   &d.MostraAutore};
    Value* const widths[] = {&d.LargTitoli, &d.LargPagina,  &d.LargCapotasto, &d.LargBPM,
                             &d.LargLoop,   &d.LargGroove1, &d.LargGroove2,   &d.LargAutore};
    if (columns > 0) {
        LineSpec line;
        for (int i = 0; i < columns; ++i)
            line.push_back({flags[i], Kind::Number, true, Check::Int16});
        lines.push_back(line);
    }
    for (Value& folder : d.CartelleMp3)
        lines.push_back({{&folder, Kind::Text, true, Check::Path}});
    if (columns > 0) {
        LineSpec line;
        for (int i = 0; i <= columns; ++i) {
            line.push_back({widths[i], Kind::Number, true, Check::Int16});
        }
        lines.push_back(line);
    }
    if (layout == ConfigLayout::V28) {
        lines.push_back({{&d.outputDevice, Kind::Text, false},
                         {&d.bufferFrames, Kind::Number, false, Check::BufferFrames},
                         {&d.pedalInterface, Kind::Text, false}});
        lines.push_back({{&d.cueWithoutStopping, Kind::Number, false, Check::Flag},
                         {&d.clickOutput, Kind::Number, false, Check::ClickOutput},
                         {&d.clickLevel, Kind::Number, false, Check::Percent}});
        lines.push_back({{&d.prepareNext, Kind::Number, false, Check::Flag}});
        lines.push_back({{&d.levelOn, Kind::Number, false, Check::Flag},
                         {&d.levelTarget, Kind::Number, false, Check::LoudnessTarget},
                         {&d.levelCeiling, Kind::Number, false, Check::PeakCeiling}});
        lines.push_back({{&d.clockPorts, Kind::Text, false, Check::PortList},
                         {&d.clockCountIn, Kind::Number, false, Check::Flag}});
        lines.push_back({{&d.resumeSounding, Kind::Number, false, Check::Flag}});
        lines.push_back({{&d.songbooks, Kind::Text, false, Check::SongbookList},
                         {&d.pageArea, Kind::Number, false, Check::PageArea}});
    }
    return lines;
}

void clearAbsent(ConfigData& d, ConfigLayout layout) {
    switch (layout) {
        case ConfigLayout::V28:
            break;
        case ConfigLayout::V27:
            d.MostraAutore = Value();
            break;
        case ConfigLayout::Untagged:
            d.version = Value();
            d.LargTitoli = d.LargPagina = d.LargCapotasto = d.LargBPM = d.LargLoop = d.LargGroove1 =
                d.LargGroove2 = d.LargAutore = Value();
            for (Value& folder : d.CartelleMp3)
                folder = QString();
            [[fallthrough]];
        case ConfigLayout::V25:
            d.MostraPagina = d.MostraCapotasto = d.MostraBPM = d.MostraLoop = d.MostraGroove1 =
                d.MostraGroove2 = d.MostraAutore = Value();
            break;
    }
}

bool sameValue(const Slot& a, const Slot& b) {
    if (a.kind == Kind::Text) {
        return a.target->toText() == b.target->toText();
    }
    return a.target->toNumber() == b.target->toNumber();
}

}  // namespace ConfigLines
