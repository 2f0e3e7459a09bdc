#include "app/InstanciaUnica.h"

#include <QDir>
#include <QStandardPaths>

namespace zovi::gui {

InstanciaUnica::InstanciaUnica(const QString& pasta) : trava_(QDir(pasta).filePath(QStringLiteral("GDZovi2005"))) {
    // A lock is never stale by age: a copy that runs for days still owns it.
    trava_.setStaleLockTime(0);
}

bool InstanciaUnica::Obtem() {
    if (trava_.isLocked() || trava_.tryLock(0)) return true;
    // A folder where no lock can be written must not pass for a running copy.
    return trava_.error() != QLockFile::LockFailedError;
}

QString InstanciaUnica::PastaPadrao() {
    auto pasta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (pasta.isEmpty()) pasta = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return pasta;
}

}  // namespace zovi::gui
