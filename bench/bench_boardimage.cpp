// The board picture's costs: decoding the photograph through our decoder against djpeg on the
// same file, and repainting the stretched picture once it has been painted.
//
// djpeg is measured two ways in the same run. In process: djpeg's own call path and defaults
// (stdio source, RGB output, one row per read, rows written to /dev/null). As a program:
// "djpeg -outfile /dev/null photo" minus the same on a 1 x 1 JPEG, which leaves its decoding
// time without process start-up. Ours reads the same file into memory and decodes it to a
// QImage, allocation included.
#include "boardimage.h"
#include "jpegdecoder.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include <jpeglib.h>

extern char **environ;

namespace {

std::string g_photo;
std::string g_tiny;

QByteArray ReadFile(const std::string &name)
{
    QFile file(QString::fromStdString(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool RunProgram(std::initializer_list<const char *> arguments)
{
    std::vector<char *> argv;
    for (const char *a : arguments)
        argv.push_back(const_cast<char *>(a));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Ours(benchmark::State &state)
{
    for (auto _ : state) {
        const QImage image = Jpeg::Decode(ReadFile(g_photo));
        benchmark::DoNotOptimize(image.constBits());
    }
}

// djpeg's decoding of a file to PPM, without its argument parsing and process.
void DjpegInProcess(benchmark::State &state)
{
    FILE *sink = std::fopen("/dev/null", "wb");
    for (auto _ : state) {
        FILE *input = std::fopen(g_photo.c_str(), "rb");
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_stdio_src(&cinfo, input);
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const JDIMENSION rowBytes = cinfo.output_width * JDIMENSION(cinfo.output_components);
        JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, rowBytes, 1);
        std::fprintf(sink, "P6\n%u %u\n255\n", cinfo.output_width, cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            jpeg_read_scanlines(&cinfo, row, 1);
            std::fwrite(row[0], 1, rowBytes, sink);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        std::fclose(input);
    }
    std::fclose(sink);
}

void DjpegProgram(benchmark::State &state, const std::string *file)
{
    for (auto _ : state) {
        if (!RunProgram({"djpeg", "-outfile", "/dev/null", file->c_str()}))
            state.SkipWithError("djpeg failed");
    }
}

// Counts the paints a widget receives.
class TPaintCounter : public QObject
{
public:
    std::int64_t paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void RepaintStretched(benchmark::State &state)
{
    QWidget window;
    auto *board = new TBoardImage(&window);
    board->SetAutoSize(false);
    board->SetStretch(true);
    board->setGeometry(0, 0, 400, 400);
    board->SetCenterOnForm(false);
    board->SetPictureSource(QString::fromStdString(g_photo));
    window.resize(400, 400);
    window.show();
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    board->repaint(); // the first paint builds the stretched image
    TPaintCounter counter;
    board->installEventFilter(&counter);
    for (auto _ : state)
        board->repaint();
    if (counter.paints != state.iterations())
        state.SkipWithError("a repaint did not paint");
}

// Median times by benchmark name, in milliseconds.
class TMedianReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("board.jpg"));
    if (!QFile::copy(QStringLiteral(":/layout/board.jpg"), photo)) {
        std::fprintf(stderr, "The layout holds no photograph.\n");
        return 1;
    }
    g_photo = photo.toStdString();
    const std::string ppm = dir.filePath(QStringLiteral("tiny.ppm")).toStdString();
    g_tiny = dir.filePath(QStringLiteral("tiny.jpg")).toStdString();
    if (FILE *f = std::fopen(ppm.c_str(), "wb")) {
        std::fputs("P6\n1 1\n255\n\x80\x80\x80", f);
        std::fclose(f);
    }
    if (!RunProgram({"cjpeg", "-outfile", g_tiny.c_str(), ppm.c_str()})) {
        std::fprintf(stderr, "cjpeg is missing (libjpeg-turbo-progs).\n");
        return 1;
    }

    constexpr int Repetitions = 9;
    benchmark::RegisterBenchmark("Ours", Ours)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);
    benchmark::RegisterBenchmark("DjpegInProcess", DjpegInProcess)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);
    benchmark::RegisterBenchmark("DjpegProgram", DjpegProgram, &g_photo)
        ->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->UseRealTime();
    benchmark::RegisterBenchmark("DjpegProgramTiny", DjpegProgram, &g_tiny)
        ->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->UseRealTime();
    benchmark::RegisterBenchmark("RepaintStretched", RepaintStretched)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);

    TMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto &m = reporter.medians;
    if (m.count("Ours") && m.count("DjpegInProcess") && m.count("DjpegProgram") && m.count("DjpegProgramTiny")) {
        const double program = m.at("DjpegProgram") - m.at("DjpegProgramTiny");
        std::printf("\nmedians: ours %.3f ms, djpeg in process %.3f ms, djpeg program %.3f - %.3f = %.3f ms\n",
                    m.at("Ours"), m.at("DjpegInProcess"), m.at("DjpegProgram"), m.at("DjpegProgramTiny"), program);
        std::printf("ours / djpeg: %.2f (in process), %.2f (program); target at most 1.15\n",
                    m.at("Ours") / m.at("DjpegInProcess"), m.at("Ours") / program);
    }
    if (m.count("RepaintStretched"))
        std::printf("repaint of the stretched 400 x 400 picture: median %.4f ms; target at most 1 ms\n",
                    m.at("RepaintStretched"));
    return 0;
}
