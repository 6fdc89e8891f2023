#pragma once
// Every key of the configuration file with its default. Keys of section "USUÁRIO" are
// named by string-table entries (the number is the key); keys of section "USER" by text.

#include <array>
#include <string_view>

namespace lv::setting {

inline constexpr std::string_view kUsuarioSection = "USUÁRIO";
inline constexpr std::string_view kUserSection = "USER";

struct IntKey {
    int id;
    int def;
};
struct TextKey {
    int id;
    std::string_view def;
};
struct UserIntKey {
    std::string_view name;
    int def;
};
struct UserTextKey {
    std::string_view name;
    std::string_view def;
};

// "USUÁRIO"
inline constexpr TextKey kAppName{2015, ""};
inline constexpr IntKey kVersion{2016, 0};
inline constexpr TextKey kLoginId{2017, ""};
inline constexpr IntKey kGammaR{2018, 1400};
inline constexpr IntKey kGammaG{2019, 1400};
inline constexpr IntKey kGammaB{2020, 1400};
inline constexpr IntKey kActR{2021, 255};
inline constexpr IntKey kActG{2022, 255};
inline constexpr IntKey kActB{2023, 0};
inline constexpr IntKey kAltR{2024, 0};
inline constexpr IntKey kAltG{2025, 0};
inline constexpr IntKey kAltB{2026, 255};
inline constexpr IntKey kBrushShape{2027, 1};
inline constexpr IntKey kBrushSize{2028, 16};
inline constexpr IntKey kBrushSpeed{2029, 20};
inline constexpr IntKey kShowBrush{2030, 1};
inline constexpr IntKey kShowColorPal{2031, 1};
inline constexpr IntKey kShowTools{2032, 1};
inline constexpr IntKey kUndoLevel{2033, 32};
inline constexpr int kLastDirPrefix = 2034;  // "LastDir" followed by a digit 0-9
inline constexpr int kFilePrefix = 2035;     // "File" followed by a digit 0-9
inline constexpr TextKey kAlbumName{2036, "sample.abm"};
inline constexpr TextKey kStampName{2037, "stamps/apple.bmp"};
inline constexpr IntKey kFitInWindow{2038, 1};
inline constexpr IntKey kScanCalFlag{2039, 0};
inline constexpr IntKey kScanCalChannel{2040, 0};
inline constexpr TextKey kScanCalParam{2041, ""};
inline constexpr IntKey kPrintCalFlag{2042, 0};
inline constexpr IntKey kPrintCalChannel{2043, 0};
inline constexpr IntKey kBlackGeneration{2044, 33};
inline constexpr IntKey kUnderColorRemov{2045, 20};
inline constexpr IntKey kTotalInkLimit{2046, 400};
// The colour scheme of the transparency grid behind layers.
inline constexpr IntKey kTransparencyGrid{2047, 0};

inline constexpr int kProgramVersion = 200;

// "USER"
inline constexpr UserIntKey kFor640{"FOR_640", 0};
inline constexpr UserIntKey kMemoryScan{"MemoryScan", 0};
inline constexpr UserIntKey kMultiScan{"MultiScan", 0};
inline constexpr UserIntKey kCameraDate{"CAMERA_DATE", 0};
inline constexpr UserIntKey kCameraNum{"CAMERA_NUM", 0};
inline constexpr UserTextKey kSlideshow{"SLIDESHOW", ""};
inline constexpr UserIntKey kLastbStart{"LastbStart", 0};
inline constexpr std::array<UserTextKey, 5> kCreateLinks{{
    {"CreateLink1", ""}, {"CreateLink2", ""}, {"CreateLink3", ""}, {"CreateLink4", ""}, {"CreateLink5", ""},
}};
inline constexpr UserIntKey kTopMargin{"TOPMARGIN", 0};
inline constexpr UserIntKey kLeftMargin{"LEFTMARGIN", 0};
inline constexpr UserIntKey kLabels{"Labels", 0};
// Where "Salvar projeto" saved last: the next project is proposed there.
inline constexpr UserTextKey kLastProjectFolder{"LastProjectFolder", ""};
// Seconds between recovery copies of changed documents; 0 switches them off.
inline constexpr UserIntKey kAutoSaveSeconds{"AutoSaveSeconds", 120};

}  // namespace lv::setting
