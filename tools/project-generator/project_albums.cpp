#include "project_albums.h"

#include "project_templates.h"

namespace lv::artwork {
namespace {

SystemAlbum gallery(int category, const char* key, const char* name, const std::vector<ProjectTemplate>& templates)
{
    SystemAlbum album{category, key, name, {}};
    // The file is the template itself, already written: the album only points at it. The
    // caption names the template; value 1 carries a calendar's piece style.
    for (const ProjectTemplate& project : templates)
        album.items.push_back({TemplateFile(project), {}, project.stem, {project.style, 1, 1}});
    return album;
}

}  // namespace

std::vector<SystemAlbum> ProjectAlbums()
{
    return {
        gallery(4, "frames1.abm", "Molduras", FrameTemplates()),
        gallery(6, "calendars1.abm", "Calendários", CalendarTemplates()),
        gallery(7, "cards1.abm", "Cartões", CardTemplates()),
    };
}

}  // namespace lv::artwork
