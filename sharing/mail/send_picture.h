#pragma once
// The e-mail command: the active picture goes out as the file on disk, saved first when it
// never was or has changed, through the mail client or else through the mail layer.

#include <optional>
#include <string>

namespace lv::sharing {

inline constexpr int kMailNotConfiguredString = 34012;

// The active image window as the command sees it.
class MailDocument {
public:
    virtual ~MailDocument() = default;
    // The window's title: the file's path once saved.
    virtual std::string title() const = 0;
    // A "Sem título-" picture, which has no file yet.
    virtual bool neverSaved() const = 0;
    // The Save-as procedure; false when it failed or was cancelled.
    virtual bool saveAs() = 0;
    // The question for a changed document and the save after Yes; false after Cancel or a
    // failed save.
    virtual bool saveIfModified() = 0;
};

// The ways out, in the order they are tried.
class MailRoutes {
public:
    virtual ~MailRoutes() = default;
    // The file that goes out for the saved picture (the picture itself or a smaller copy);
    // nothing when that failed and the request ends.
    virtual std::optional<std::string> attachmentFor(const std::string& savedPath) = 0;
    // The mail client: 0 when it did not take the request (the mail layer goes on).
    virtual int tryClient(const std::string& path) = 0;
    // Whether the mail layer has somewhere to send to.
    virtual bool mailLayerConfigured() = 0;
    virtual void sendWithMailLayer(const std::string& path) = 0;
};

// No document: a beep.
void SendPicture(MailDocument* active, MailRoutes& routes);

}  // namespace lv::sharing
