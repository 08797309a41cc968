// vexlor-demo-host NAME FILE [--title TITLE]
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "DemoHost.h"
#include "platform/Cp1251Codec.h"

namespace {
int Usage() {
    std::fprintf(stderr, "usage: vexlor-demo-host NAME FILE [--title TITLE]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList positional;
    QString title;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--title") && i + 1 < args.size())
            title = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return Usage();
        else
            positional << args[i];
    }
    if (positional.size() != 2)
        return Usage();
    if (title.isEmpty())
        title = QFileInfo(positional[1]).completeBaseName();
    // The conversation speaks Windows-1251.
    std::string name;
    std::string title1251;
    if (!Cp1251Codec::FromUtf8(positional[0].toStdString(), &name) ||
        !Cp1251Codec::FromUtf8(title.toStdString(), &title1251)) {
        std::fprintf(stderr, "vexlor-demo-host: NAME and TITLE must be Windows-1251 text\n");
        return 2;
    }
    DemoHost host(name, title1251, positional[1]);
    if (!host.Listen())
        return DemoHost::kCannotListen;
    return app.exec();
}
