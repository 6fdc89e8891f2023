// Prints the type the desktop's shared MIME database gives each file, by name and content
// together and by content alone: "PATH<tab>TYPE<tab>CONTENT-TYPE". The install test points
// XDG_DATA_DIRS at the installed definitions first.

#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lv-mime-probe FILE...\n");
        return 2;
    }
    const QMimeDatabase database;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        std::printf("%s\t%s\t%s\n", argv[i], qPrintable(database.mimeTypeForFile(path).name()),
                    qPrintable(database.mimeTypeForFile(path, QMimeDatabase::MatchContent).name()));
    }
    return 0;
}
