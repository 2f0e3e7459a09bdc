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
    // False when another running copy holds the lock; true otherwise (also when the
    // folder admits no lock file at all: the guard then stands aside).
    bool Obtem();

    static QString PastaPadrao();

private:
    QLockFile trava_;
};

}  // namespace zovi::gui
