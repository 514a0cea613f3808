#include "app/main_window_form.h"

#include <optional>

#include "app/build_constants.h"
#include "app/texts.h"

namespace {
enum class Font { Default, YaHei12, YaHei14, YaHei12Underlined };

struct Designed {
    const char* name;
    ControlKind kind;
    Rect place;
    const char* text;  // UTF-8
    bool visible;
    Font font;
    const char* parent;
};

constexpr ControlKind kLabel = ControlKind::Label, kButton = ControlKind::Button,
                      kEdit = ControlKind::Edit, kGroup = ControlKind::GroupBox,
                      kLink = ControlKind::Hyperlink;

const char* const kNotice =
    "本工具由Morwick制作，业余作品。版本1.2修复AE 2019切换失败的bug，如果你的电脑上同时安装了2个版本以上，"
    "仅显示最高版本的语言，但切换是所有版本的切换。支持CC2014-CC2019";

// The version label's text comes from the build; every other text is as designed.
const Designed kControls[] = {
    {"分组框1", kGroup, {7, 9, 249, 111}, "Morwick提示", true, Font::Default, ""},
    {"标签1", kLabel, {5, 20, 239, 83}, kNotice, true, Font::YaHei12, "分组框1"},
    {"版本号", kLabel, {9, 128, 56, 24}, nullptr, true, Font::Default, ""},
    {"标签20", kLabel, {85, 127, 56, 24}, "当前语言：", true, Font::Default, ""},
    {"当前语言", kLabel, {140, 127, 56, 24}, "", true, Font::Default, ""},
    {"切换_按钮", kButton, {7, 160, 249, 38}, "一键切换AE中英文", true, Font::YaHei14, ""},
    {"AE2014语言", kLabel, {479, 20, 56, 24}, "", false, Font::Default, ""},
    {"AE2015语言", kLabel, {479, 43, 56, 24}, "", false, Font::Default, ""},
    {"AE2016语言", kLabel, {479, 66, 56, 24}, "", false, Font::Default, ""},
    {"AE2017语言", kLabel, {479, 89, 56, 24}, "", false, Font::Default, ""},
    {"AE2018语言", kLabel, {479, 112, 56, 24}, "", false, Font::Default, ""},
    {"AE2019语言", kLabel, {479, 135, 56, 24}, "", false, Font::Default, ""},
    {"编辑框19", kEdit, {487, 402, 488, 24}, "", false, Font::Default, ""},
    {"分组框2", kGroup, {577, 238, 260, 38}, "", false, Font::Default, ""},
    {"超级链接框1", kLink, {2, 7, 255, 29}, "更多功能尚未添加 留下意见", false,
     Font::YaHei12Underlined, "分组框2"},
    // Dormant: no event, no code reads or writes them.
    {"切换_按钮1", kButton, {576, 145, 260, 28}, "一键断网", false, Font::YaHei14, ""},
    {"切换_按钮2", kButton, {576, 176, 260, 28}, "一键连接网络", false, Font::YaHei14, ""},
    {"切换_按钮3", kButton, {576, 207, 260, 28}, "开启/关闭 Windows Defender", false,
     Font::YaHei14, ""},
    {"编辑框13", kEdit, {576, 88, 288, 32}, "", false, Font::Default, ""},
    {"编辑框14", kEdit, {487, 287, 488, 24}, "", false, Font::Default, ""},
    {"编辑框15", kEdit, {487, 310, 488, 24}, "", false, Font::Default, ""},
    {"编辑框16", kEdit, {487, 333, 488, 24}, "", false, Font::Default, ""},
    {"编辑框17", kEdit, {487, 356, 488, 24}, "", false, Font::Default, ""},
    {"编辑框18", kEdit, {487, 379, 488, 24}, "", false, Font::Default, ""},
    {"编辑框20", kEdit, {487, 425, 488, 24}, "", false, Font::Default, ""},
    {"标签300", kLabel, {424, 20, 56, 24}, "CC2014：", false, Font::Default, ""},
    {"标签301", kLabel, {424, 43, 56, 24}, "CC2015：", false, Font::Default, ""},
    {"标签302", kLabel, {424, 66, 56, 24}, "CC2015.3：", false, Font::Default, ""},
    {"标签303", kLabel, {424, 89, 56, 24}, "CC2017：", false, Font::Default, ""},
    {"标签304", kLabel, {424, 112, 56, 24}, "CC2018：", false, Font::Default, ""},
    {"标签305", kLabel, {424, 135, 56, 24}, "CC2019：", false, Font::Default, ""},
    {"标签9", kLabel, {424, 158, 56, 24}, "2020：", false, Font::Default, ""},
    {"标签AE20", kLabel, {479, 158, 56, 24}, "", false, Font::Default, ""},
    {"标签5", kLabel, {424, 287, 64, 24}, "2014", false, Font::Default, ""},
    {"标签6", kLabel, {424, 310, 64, 24}, "2015", false, Font::Default, ""},
    {"标签7", kLabel, {424, 333, 64, 24}, "2016", false, Font::Default, ""},
    {"标签8", kLabel, {424, 356, 64, 24}, "2017", false, Font::Default, ""},
    {"标签3", kLabel, {424, 379, 64, 24}, "2018", false, Font::Default, ""},
    {"标签4", kLabel, {424, 402, 64, 24}, "2019", false, Font::Default, ""},
    {"标签11", kLabel, {424, 425, 64, 24}, "2020", false, Font::Default, ""},
    {"标签21", kLabel, {574, 0, 56, 25}, "当前版本：", false, Font::Default, ""},
    {"当前版本标签", kLabel, {629, 0, 50, 25}, "1.0", false, Font::Default, ""},
    {"当前版本时间标签1", kLabel, {678, 0, 32, 25}, "推送：", false, Font::Default, ""},
    {"当前版本时间标签", kLabel, {709, 0, 65, 25}, "2019-02-19", false, Font::Default, ""},
    {"当前版本时间标签3", kLabel, {773, 0, 32, 25}, "类型：", false, Font::Default, ""},
    {"类型", kLabel, {804, 0, 74, 25}, "", false, Font::Default, ""},
    {"标签22", kLabel, {574, 24, 56, 25}, "最新版本：", false, Font::Default, ""},
    {"最新版本标签", kLabel, {629, 24, 50, 25}, "", false, Font::Default, ""},
    {"当前版本时间标签2", kLabel, {678, 24, 32, 25}, "推送：", false, Font::Default, ""},
    {"最新版本时间标签", kLabel, {709, 24, 65, 25}, "", false, Font::Default, ""},
    {"当前版本时间标签4", kLabel, {773, 24, 32, 25}, "次数：", false, Font::Default, ""},
    {"次数", kLabel, {804, 24, 74, 25}, "", false, Font::Default, ""},
    {"最新版下载地址标签", kLabel, {574, 48, 304, 25}, "", false, Font::Default, ""},
};

constexpr int kFirstControlId = 1001;
// Only the notice is tall enough for more than one line; every other label shows one line.
constexpr int kTwoLines = 40;

std::optional<FontSpec> fontSpec(Font font) {
    if (font == Font::Default) return std::nullopt;
    FontSpec spec;
    spec.face = ansi("微软雅黑");
    spec.height = font == Font::YaHei14 ? 14 : 12;
    spec.underline = font == Font::YaHei12Underlined;
    return spec;
}
}  // namespace

FormSpec mainWindowForm() {
    FormSpec form;
    form.title = "Vantrel";
    form.place = {50, 50, 269, 236};
    form.frame = {false, false, false};
    int id = kFirstControlId;
    for (const Designed& designed : kControls) {
        ControlSpec control;
        control.name = designed.name;
        control.kind = designed.kind;
        control.id = id++;
        control.place = designed.place;
        control.text = designed.text ? ansi(designed.text) : std::string(kProgramVersion);
        control.visible = designed.visible;
        control.multiline = designed.place.height >= kTwoLines;
        control.font = fontSpec(designed.font);
        control.parent = designed.parent;
        if (designed.kind == ControlKind::Hyperlink) {
            control.address = std::string("http://") + kSiteHost + "/";
        }
        form.controls.push_back(control);
    }
    return form;
}
