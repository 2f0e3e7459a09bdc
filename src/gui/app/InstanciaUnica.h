#pragma once
// Only one copy of the program runs at a time: the first one holds the lock
// file "GDZovi2005" until it ends. The lock of a copy that died is taken over.
#include <QLockFile>
#include <QString>

namespace zovi::gui {

class InstanciaUnica {
public:
    // pasta: where the lock file lives; by default the user's runtime (or temporary) folder.
    explicit InstanciaUnica(const QString& pasta = PastaPadrao());
    // True when this process now holds the lock; false when another running copy does.
    bool Obtem();

    static QString PastaPadrao();

private:
    QLockFile trava_;
};

}  // namespace zovi::gui
