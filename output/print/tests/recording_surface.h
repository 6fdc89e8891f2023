#pragma once
// A print surface and printer for tests: records every call instead of drawing.

#include "output/print/print_surface.h"

#include <string>
#include <vector>

namespace lv::print::testing {

struct Stretch {
    const std::uint8_t* block;  // which picture block was drawn
    Rect target;
};

struct TextCall {
    Rect rect;
    std::string text;
    PrintFont font;
};

class RecordingSurface final : public PrintSurface {
public:
    explicit RecordingSurface(PrinterMetrics metrics = DefaultPrinterMetrics())
        : metrics_(metrics)
    {
    }
    const PrinterMetrics& metrics() const override { return metrics_; }
    bool beginDocument(std::string_view name) override
    {
        documents.emplace_back(name);
        return true;
    }
    bool beginPage() override
    {
        ++pages;
        return true;
    }
    void endPage() override { ++endedPages; }
    bool endDocument() override
    {
        ++endedDocuments;
        return true;
    }
    void stretchRows(const HDIB& picture, int firstRow, int, const Rect& target) override
    {
        stretches.push_back({picture.data(), target});
        if (keepPixels)
            firstPixels.push_back(picture.row(firstRow)[0]);
    }
    void frame(const Rect& rect, int penWidth) override { frames.push_back({rect, penWidth}); }
    void setFont(const PrintFont& font) override { font_ = font; }
    // Every character is a tenth of the font's height wide.
    int textWidth(std::string_view text) override
    {
        return int(text.size()) * std::abs(font_.height) / 10;
    }
    void drawText(const Rect& rect, std::string_view text, TextAlign, bool) override
    {
        texts.push_back({rect, std::string(text), font_});
    }

    std::vector<std::string> documents;
    int pages = 0, endedPages = 0, endedDocuments = 0;
    std::vector<Stretch> stretches;
    std::vector<std::pair<Rect, int>> frames;
    std::vector<TextCall> texts;
    bool keepPixels = false;
    std::vector<std::uint8_t> firstPixels;

private:
    PrinterMetrics metrics_;
    PrintFont font_;
};

// Hands out recording surfaces, or none when `available` is off; keeps the last one's record.
class RecordingPrinter final : public PrinterConnector {
public:
    std::unique_ptr<PrintSurface> open(int copies, Orientation orientation) override
    {
        ++opened;
        lastCopies = copies;
        lastOrientation = orientation;
        if (!available)
            return nullptr;
        return std::make_unique<Forwarding>(*this);
    }
    PrinterMetrics metrics(Orientation) override { return page; }

    bool available = true;
    PrinterMetrics page = DefaultPrinterMetrics();
    int opened = 0;
    int lastCopies = 0;
    Orientation lastOrientation = Orientation::Portrait;
    RecordingSurface record{DefaultPrinterMetrics()};

private:
    // The job's calls go to `record`, which outlives the job.
    class Forwarding final : public PrintSurface {
    public:
        explicit Forwarding(RecordingPrinter& p)
            : p_(p)
        {
            p_.record = RecordingSurface(p_.page);
        }
        const PrinterMetrics& metrics() const override { return p_.record.metrics(); }
        bool beginDocument(std::string_view n) override { return p_.record.beginDocument(n); }
        bool beginPage() override { return p_.record.beginPage(); }
        void endPage() override { p_.record.endPage(); }
        bool endDocument() override { return p_.record.endDocument(); }
        void stretchRows(const HDIB& d, int f, int c, const Rect& t) override { p_.record.stretchRows(d, f, c, t); }
        void frame(const Rect& r, int w) override { p_.record.frame(r, w); }
        void setFont(const PrintFont& f) override { p_.record.setFont(f); }
        int textWidth(std::string_view t) override { return p_.record.textWidth(t); }
        void drawText(const Rect& r, std::string_view t, TextAlign a, bool w) override
        {
            p_.record.drawText(r, t, a, w);
        }

    private:
        RecordingPrinter& p_;
    };
};

}  // namespace lv::print::testing
