#include "sharing/mapi/desktop_mail.h"

#include "sharing/child_process.h"

namespace lv::sharing {

std::vector<std::string> DesktopMailArguments(const MailDraft& draft)
{
    std::vector<std::string> args = {kDesktopMailCommand, "--utf8"};
    if (!draft.subject.empty())
        args.insert(args.end(), {"--subject", draft.subject});
    if (!draft.body.empty())
        args.insert(args.end(), {"--body", draft.body});
    for (const std::string& file : draft.attachments)
        args.insert(args.end(), {"--attach", file});
    // The addresses last, each its own argument, after "--" would end the options for a
    // getopt program but xdg-email has no such rule: an address starting with "-" is dropped.
    for (const Mailbox& to : draft.to)
        if (!to.address.empty() && to.address.front() != '-')
            args.push_back(to.address);
    return args;
}

bool DesktopMailAvailable()
{
    return FindOnPath(kDesktopMailCommand).has_value();
}

bool OpenInDesktopMail(const MailDraft& draft)
{
    return RunProgram(DesktopMailArguments(draft)).exitCode == 0;
}

}  // namespace lv::sharing
