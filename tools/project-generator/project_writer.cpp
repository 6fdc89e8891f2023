#include "calendar_pieces.h"
#include "project_templates.h"

namespace lv::artwork {

std::string TemplateFile(const ProjectTemplate& project)
{
    return std::string(kProjectsFolder) + "/" + project.folder + "/" + project.stem + ".vlf";
}

std::vector<ProjectTemplate> ProjectTemplates()
{
    std::vector<ProjectTemplate> all;
    for (const auto& kind : {CalendarTemplates, CardTemplates, FrameTemplates})
        for (ProjectTemplate& project : kind())
            all.push_back(std::move(project));
    return all;
}

Shape Outside(Shape shape)
{
    return [shape = std::move(shape)](Point p) { return -shape(p); };
}

bool WriteProjects(const std::filesystem::path& programDir, FontLibrary& fonts)
{
    if (!WriteCalendarPieces(programDir / kProjectsFolder / kCalendarFolder, fonts))
        return false;
    for (const ProjectTemplate& project : ProjectTemplates())
        if (!project.draw(fonts).write(programDir / TemplateFile(project)))
            return false;
    return true;
}

}  // namespace lv::artwork
