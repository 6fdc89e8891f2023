#pragma once
// The templates the project screens start from: calendars, cards and frames, each a
// layered document below "projects/" in the program folder whose layers are placeholders
// by name: "background" (the page; a dropped photo is stretched over it), "Foto//x//N"
// (photo boxes), "Year//x//S", "Month//x//S", "Days//x//S" (calendar pieces of style S),
// text layers "Texto//x//N" the text tool edits, and ornaments "Enfeite//…" and
// "Moldura//…" that the projects leave alone.

#include "edit/text_render/font_library.h"
#include "page.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lv::artwork {

inline constexpr const char* kBackgroundLayer = "background";
inline constexpr const char* kProjectsFolder = "projects";
inline constexpr const char* kCalendarFolder = "calendars";
inline constexpr const char* kCardFolder = "cards";
inline constexpr const char* kFrameFolder = "frames";

struct ProjectTemplate {
    std::string folder;  // below "projects/"
    std::string stem;    // the file name without ".vlf"
    std::string name;    // what the gallery shows
    int style = 1;       // the calendar pieces' style; 1 for cards and frames
    std::function<Page(FontLibrary&)> draw;
};

// "projects/FOLDER/STEM.vlf", with "/".
std::string TemplateFile(const ProjectTemplate& project);

std::vector<ProjectTemplate> CalendarTemplates();
std::vector<ProjectTemplate> CardTemplates();
std::vector<ProjectTemplate> FrameTemplates();
std::vector<ProjectTemplate> ProjectTemplates();  // all three, in that order

// The calendar pieces, then every template. False (after a line on stderr) when anything
// could not be written.
bool WriteProjects(const std::filesystem::path& programDir, FontLibrary& fonts);

// A shape's outside, for cutting a placeholder or a frame's window.
Shape Outside(Shape shape);

}  // namespace lv::artwork
