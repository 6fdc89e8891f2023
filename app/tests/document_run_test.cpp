// The image windows in the running program, driven through the test commands of the socket.

#include "imagelib/bmp.h"
#include "imagelib/jpeg.h"
#include "imagelib/rect.h"
#include "imagelib/tests/pictures.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace lv::testing {
namespace {

// Sends commands to a running copy and reads the lines it logs in reply.
class Driver {
public:
    explicit Driver(ProgramSandbox& sandbox)
        : sandbox_(sandbox)
    {
    }

    // The last line starting with `reply` logged after the command.
    std::string send(const std::string& command, const std::string& reply = "state ")
    {
        const std::size_t before = count(reply);
        sandbox_.run({}, {"LUMIVISTA_TEST_SEND=" + command});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (count(reply) <= before && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return lastLine(reply);
    }

    std::string lastLine(const std::string& prefix) const
    {
        const std::vector<std::string> lines = linesStarting(prefix);
        return lines.empty() ? std::string() : lines.back();
    }

    std::size_t count(const std::string& prefix) const { return linesStarting(prefix).size(); }

private:
    std::vector<std::string> linesStarting(const std::string& prefix) const
    {
        std::vector<std::string> lines;
        std::istringstream log(sandbox_.log());
        for (std::string line; std::getline(log, line);)
            if (line.rfind(prefix, 0) == 0)
                lines.push_back(line);
        return lines;
    }

    ProgramSandbox& sandbox_;
};

// The value of " name=value" in a state line.
std::string field(const std::string& state, const std::string& name)
{
    const std::size_t at = state.find(" " + name + "=");
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + name.size() + 2;
    return state.substr(start, state.find(' ', start) - start);
}

HDIB readBmp(const std::filesystem::path& path)
{
    ReadResult result = ReadBmp(path.string());
    return result.ok() ? result.take() : HDIB{};
}

// Per byte: the largest and the mean difference, `b` first passed through a gamma exponent.
std::pair<int, double> difference(const HDIB& a, const HDIB& b, const Rect& area, double exponent = 1.0)
{
    if (!a || !b || a.width() != b.width() || a.height() != b.height())
        return {256, 256};
    int largest = 0;
    double total = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = 3 * area.left; x < 3 * area.right; ++x) {
            const int expected = int(std::lround(255 * std::pow(b.row(y)[x] / 255.0, exponent)));
            const int d = std::abs(int(a.row(y)[x]) - expected);
            largest = std::max(largest, d);
            total += d;
        }
    return {largest, total / (3.0 * area.width() * area.height())};
}

TEST(ImageWindows, AJpegFromTheCommandLineZoomsTakesLayersUndoesAndSurvivesLayeredAndPngFiles)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string jpeg = sandbox.file("praia.jpg").string();
    ASSERT_EQ(WriteJpeg(jpeg, MakePhotoLike(300, 200), 95), WriteResult::Written);
    const HDIB photo = ReadJpeg(jpeg).take();
    const pid_t pid = sandbox.start({jpeg});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(sandbox.waitForLog("open " + jpeg + " ok\n")) << sandbox.log();
    Driver program(sandbox);

    std::string state = program.lastLine("state ");
    EXPECT_EQ(field(state, "size"), "300x200");
    EXPECT_EQ(field(state, "zoom"), "0") << "a small document opens at 100 %";
    EXPECT_EQ(field(state, "frame"), "472,296,300,200")
        << "centred in the workspace, control 100 at (228, 100), 788 x 592";

    state = program.send("zoom 1");
    EXPECT_EQ(field(state, "zoom"), "1");
    EXPECT_EQ(field(state, "frame"), "322,196,600,400");
    EXPECT_NE(state.find("readout=[ Visualizar 200%  ]"), std::string::npos) << state;
    state = program.send("zoom -1");
    EXPECT_EQ(field(state, "zoom"), "0");

    EXPECT_EQ(field(program.send("addlayer"), "layers"), "2");
    EXPECT_EQ(field(program.send("deletelayer"), "layers"), "1");
    EXPECT_EQ(field(program.send("undo"), "layers"), "2");
    EXPECT_EQ(field(program.send("undo"), "layers"), "1");
    state = program.send("redo");
    EXPECT_EQ(field(state, "layers"), "2");
    EXPECT_EQ(field(state, "modified"), "1");

    const std::string layered = sandbox.file("doc.vlf").string();
    const std::string png = sandbox.file("doc.png").string();
    EXPECT_EQ(program.send("saveas 8 " + layered, "saved "), "saved ok");
    EXPECT_EQ(program.send("saveas 9 " + png, "saved "), "saved ok");
    EXPECT_NE(sandbox.log().find("message Lumivista 2000: As informações serão perdidas"), std::string::npos)
        << "a flat type for two layers asks first";
    EXPECT_EQ(field(program.lastLine("state "), "modified"), "0");
    EXPECT_EQ(program.send("dump " + sandbox.file("before.bmp").string(), "dumped "), "dumped ok");
    EXPECT_EQ(program.send("close"), "state windows=0");

    program.send("open " + layered);
    EXPECT_EQ(field(program.lastLine("state "), "layers"), "2");
    program.send("dump " + sandbox.file("layered.bmp").string(), "dumped ");
    program.send("close");
    program.send("open " + png);
    EXPECT_EQ(field(program.lastLine("state "), "layers"), "1");
    program.send("dump " + sandbox.file("png.bmp").string(), "dumped ");

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_SEND=quit"}), 0);
    EXPECT_EQ(ProgramSandbox::wait(pid), 0);

    const HDIB before = readBmp(sandbox.file("before.bmp"));
    const Rect whole{0, 0, 300, 200};
    // The added layer covers the middle; outside it the composite is the photo itself.
    EXPECT_EQ(difference(before, photo, {0, 0, 300, 50}).first, 0);
    EXPECT_GT(difference(before, photo, whole).first, 100);
    // Layer pictures are JPEG in a layered file: close, not equal.
    const auto [layeredLargest, layeredMean] = difference(readBmp(sandbox.file("layered.bmp")), before, whole);
    EXPECT_LT(layeredMean, 4.0);
    EXPECT_LT(layeredLargest, 64);
    // PNG files without a gamma read through the display gamma (2.2 against 0.5).
    EXPECT_LE(difference(readBmp(sandbox.file("png.bmp")), before, whole, 1 / 1.1).first, 1);
}

}  // namespace
}  // namespace lv::testing
