#include "FalhaGravacao.h"

#include <sqlite3.h>
#include <cstring>

namespace zovi::teste {

namespace {

// A file layer over the system's: every call goes to the real file, the writes to a
// database file after calling `Antes()`.
std::function<void(const std::string&)>& Antes() {
    static std::function<void(const std::string&)> f;
    return f;
}

sqlite3_vfs* Real() { return static_cast<sqlite3_vfs*>(sqlite3_vfs_find("unix")); }

struct Arquivo {
    sqlite3_file base;
    const char* nome;
    bool banco;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

Arquivo* A(sqlite3_file* f) { return reinterpret_cast<Arquivo*>(f); }

int Fecha(sqlite3_file* f) { return A(f)->real()->pMethods->xClose(A(f)->real()); }
int Le(sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return A(f)->real()->pMethods->xRead(A(f)->real(), p, n, o); }
int Grava(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    if (A(f)->banco && A(f)->nome && Antes()) Antes()(A(f)->nome);
    return A(f)->real()->pMethods->xWrite(A(f)->real(), p, n, o);
}
int Trunca(sqlite3_file* f, sqlite3_int64 n) { return A(f)->real()->pMethods->xTruncate(A(f)->real(), n); }
int Sincroniza(sqlite3_file* f, int m) { return A(f)->real()->pMethods->xSync(A(f)->real(), m); }
int Tamanho(sqlite3_file* f, sqlite3_int64* n) { return A(f)->real()->pMethods->xFileSize(A(f)->real(), n); }
int Trava(sqlite3_file* f, int m) { return A(f)->real()->pMethods->xLock(A(f)->real(), m); }
int Destrava(sqlite3_file* f, int m) { return A(f)->real()->pMethods->xUnlock(A(f)->real(), m); }
int Reservada(sqlite3_file* f, int* r) { return A(f)->real()->pMethods->xCheckReservedLock(A(f)->real(), r); }
int Controle(sqlite3_file* f, int op, void* p) { return A(f)->real()->pMethods->xFileControl(A(f)->real(), op, p); }
int Setor(sqlite3_file* f) { return A(f)->real()->pMethods->xSectorSize(A(f)->real()); }
int Caracteristicas(sqlite3_file* f) { return A(f)->real()->pMethods->xDeviceCharacteristics(A(f)->real()); }

// Version 1: no shared memory and no memory mapping, so every page goes through xWrite.
const sqlite3_io_methods kMetodos = {1, Fecha, Le, Grava, Trunca, Sincroniza, Tamanho, Trava, Destrava,
                                     Reservada, Controle, Setor, Caracteristicas, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr};

int Abre(sqlite3_vfs*, sqlite3_filename nome, sqlite3_file* f, int flags, int* saida) {
    auto* a = A(f);
    a->nome = nome;
    a->banco = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    int rc = Real()->xOpen(Real(), nome, a->real(), flags, saida);
    a->base.pMethods = a->real()->pMethods ? &kMetodos : nullptr;
    return rc;
}

}  // namespace

void AntesDeGravar(std::function<void(const std::string& arquivo)> antes) {
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v = *Real();
        v.zName = "gdzovi-falha";
        v.szOsFile = static_cast<int>(sizeof(Arquivo)) + Real()->szOsFile;
        v.xOpen = Abre;
        return v;
    }();
    Antes() = std::move(antes);
    sqlite3_vfs_register(&vfs, 1);
}

}  // namespace zovi::teste
