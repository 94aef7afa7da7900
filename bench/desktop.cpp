#include "desktop.h"

#include <QtGlobal>

#include "assets/artwork.h"

namespace bench {

std::map<std::string, QString> pictureFiles() {
    std::map<std::string, QString> files;
    for (const miravel::ArtworkFile& f : miravel::artworkFiles())
        files.emplace(f.art.name, QStringLiteral(":/assets/%1.%2").arg(f.art.name, f.extension));
    return files;
}

namespace {
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("This plugin does not support"))) return;
    defaultHandler(type, context, message);
}
}  // namespace

void quietQtLog() { defaultHandler = qInstallMessageHandler(quietHandler); }

}  // namespace bench
