// The employee list of an establishment with many employees, timed offscreen:
// opening it and painting its first screen, scrolling to the last row, and a
// search by PIS/PASEP and by name, each against two engine floors: reading
// through the engine only the rows the window shows (count and one screen),
// and reading every row of the establishment (what a list filled up front
// would cost before showing anything).
//
//   bench_lista_empregados DADOS      (DADOS: a data folder with one large establishment)
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "entry/ListaEmpregados.h"
#include "entry/ContextoEntrada.h"
#include "entry/TfmConEmpreg.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "rules/VerificaEstabelecimento.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

constexpr int kRepeticoes = 5;

// Best of a few runs, in milliseconds.
double Melhor(const std::function<void()>& passo) {
    double melhor = 1e12;
    for (int i = 0; i < kRepeticoes; ++i) {
        QElapsedTimer t;
        t.start();
        passo();
        melhor = std::min(melhor, t.nsecsElapsed() / 1e6);
    }
    return melhor;
}

// Lays out and paints the window as the screen would.
void Pinta(QWidget& w) {
    QApplication::processEvents();
    (void)w.grab();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: bench_lista_empregados DADOS\n");
        return 2;
    }
    TdmGDZovi dm(argv[1]);
    CatalogoMensagens catalogo(dm.dbZovi);
    ServicoDialogos dialogos;
    dialogos.Roteiriza();
    Mensagens mensagens(catalogo, dialogos);
    ContextoEntrada entrada(dm, dialogos, mensagens);
    Tabela emp(dm.dbZovi, "BD8EMP");
    emp.Abre();
    emp.Primeiro();
    auto estab = LeEstabelecimento(emp);
    emp.Fecha();
    ContextoEmpregados ctx(entrada, estab);

    ListaEmpregados lista(dm.dbZovi, estab.AnBase, estab.CoCgcCeiEstabelecimento, estab.NuPrefixoEstabelecimento);
    const long total = lista.Conta();
    lista.Ordena(OrdemEmpregados::Nome);
    const auto ultimoPorNome = lista.Linhas(total - 1, 1).at(0);
    lista.Ordena(OrdemEmpregados::PisPasep);
    const auto ultimoPorPis = lista.Linhas(total - 1, 1).at(0);
    const int tela = 40;  // rows a maximised list shows, more than the window's first screen

    // Floors through the engine.
    auto piso = [&](const FiltroEmpregados& filtro, long inicio) {
        return Melhor([&] {
            ListaEmpregados l(dm.dbZovi, estab.AnBase, estab.CoCgcCeiEstabelecimento, estab.NuPrefixoEstabelecimento);
            l.Filtra(filtro);
            long n = l.Conta();
            (void)l.Linhas(inicio < 0 ? std::max(0L, n - tela) : inicio, tela);
        });
    };
    const double pisoAbre = piso({}, 0), pisoFim = piso({}, -1);
    const double pisoPis = piso({ultimoPorPis.pisPasep, "", ""}, 0);
    const double pisoNome = piso({"", ultimoPorNome.nome, ""}, 0);
    const double leituraTotal = Melhor([&] {
        Consulta q(dm.dbZovi, {"select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado from BD8Vinc",
                               "where AnBase = :a and CoCgcCeiEstabelecimento = :i and NuPrefixoEstabelecimento = :p"});
        q.Parametro("a", estab.AnBase);
        q.Parametro("i", estab.CoCgcCeiEstabelecimento);
        q.Parametro("p", estab.NuPrefixoEstabelecimento);
        long n = 0;
        for (q.Abre(); !q.Fim(); q.Proximo()) n += static_cast<long>(q.Texto(1).size());
        if (n < 0) std::puts("");
    });

    // The window.
    std::unique_ptr<TfmConEmpreg> fm;
    const double abre = Melhor([&] {
        fm.reset();
        fm = std::make_unique<TfmConEmpreg>(ctx);
        fm->resize(900, 700);
        fm->show();
        Pinta(*fm);
    });
    auto* grade = fm->findChild<QTableView*>("DBGridVinculo");
    const double fim = Melhor([&] {
        grade->scrollToTop();
        Pinta(*fm);
        grade->scrollToBottom();
        grade->setCurrentIndex(fm->Modelo().index(fm->Modelo().rowCount() - 1, 1));
        Pinta(*fm);
    });
    auto busca = [&](const char* campo, const std::string& texto) {
        auto* edicao = fm->findChild<QLineEdit*>(campo);
        return Melhor([&] {
            edicao->clear();
            edicao->setText(QString::fromLatin1(texto.c_str()));
            Pinta(*fm);
        });
    };
    const double pis = busca("edPisPasep", ultimoPorPis.pisPasep);
    fm->findChild<QLineEdit*>("edPisPasep")->clear();
    const double nome = busca("edNome", ultimoPorNome.nome.substr(0, 12));
    fm->findChild<QLineEdit*>("edNome")->clear();

    std::printf("empregados no estabelecimento: %ld\n", total);
    std::printf("| passo | janela (ms) | piso: linhas mostradas (ms) | janela ÷ piso | leitura de todas as linhas (ms) |\n");
    std::printf("|---|---|---|---|---|\n");
    auto linha = [&](const char* passo, double janela, double p) {
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f |\n", passo, janela, p, janela / p, leituraTotal);
    };
    linha("abrir e mostrar a primeira tela", abre, pisoAbre);
    linha("rolar até a última linha", fim, pisoFim);
    linha("buscar por PIS/PASEP", pis, pisoPis);
    linha("buscar por nome", nome, pisoNome);
    return 0;
}
