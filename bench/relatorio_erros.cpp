// gdzovi-bench-relatorio: the error report of a large verification, against
// its floor.
//   preenche DADOS N   writes N rows to te8errwa (errors, then a tenth as warnings):
//                      employees of 20 establishments with two or three rows each
//   relatorio DADOS PDF  the error report to PDF, as gdzovi-lote relatorio erros renders it
//   previa DADOS -     what the preview pays: laying out every page (kept: where each
//                      starts), then drawing the first, the middle and the last page alone
//   piso DADOS PDF     the floor: the same rows read through the same query, the same texts
//                      drawn with QPainter on a PDF at the same places, one line after the
//                      other, with no band logic (no groups, handlers or page starts kept)
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstring>
#include <string>

#include "PaginaPadrao.h"
#include "TrpErros.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"
#include "motor/Composicao.h"
#include "motor/FonteLinhas.h"
#include "motor/Saida.h"
#include "rules/GravadorInconsistencias.h"

using namespace zovi;

namespace {

int Uso() {
    std::fprintf(stderr, "uso: gdzovi-bench-relatorio preenche DADOS N | relatorio DADOS PDF | piso DADOS PDF | previa DADOS -\n");
    return 2;
}

int Preenche(Banco& banco, long n) {
    GravadorInconsistencias g(banco);
    g.Inicia();
    const char* codigos[] = {"0010", "0001"};
    const char* rotulos[] = {"1625", "1624", "1622"};
    long escritas = 0;
    for (int parte = 0; parte < 2 && escritas < n; ++parte) {
        const long limite = parte == 0 ? n - n / 10 : n;
        for (long e = 0; escritas < limite; ++e) {
            IdentificacaoEstabelecimento estab{CompletaZeros(std::to_string(11222333000100L + e % 20), 14), "1", "00",
                                               "ESTABELECIMENTO " + std::to_string(e % 20)};
            IdentificacaoEmpregado emp{CompletaZeros(std::to_string(10000000000L + e), 11),
                                       "EMPREGADO NUMERO " + std::to_string(e), "01022003", e % 3 ? "" : "MATR"};
            // Two rows of one code, and every other employee a third row of another.
            for (int k = 0; k < (e % 2 ? 3 : 2) && escritas < limite; ++k, ++escritas)
                g.Grava({parte ? kAviso : kErro, kRegistroEmpregado, codigos[k / 2], rotulos[k], "CONTEUDO " + std::to_string(k),
                         estab, emp});
        }
    }
    g.Publica();
    std::printf("%ld linhas em TE8ERRWA\n", escritas);
    return 0;
}

int Relatorio(Banco& banco, const char* pdf) {
    CatalogoMensagens catalogo(banco);
    relatorios::TrpErros relatorio(banco, catalogo);
    QString erro;
    if (!relatorios::GeraPdf(relatorio, QString::fromLocal8Bit(pdf), &erro)) {
        std::fprintf(stderr, "%s\n", erro.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

int Previa(Banco& banco) {
    CatalogoMensagens catalogo(banco);
    relatorios::TrpErros relatorio(banco, catalogo);
    relatorios::Composicao composicao(relatorio);
    QElapsedTimer relogio;
    relogio.start();
    composicao.Compoe();
    std::printf("%d páginas compostas em %.2f s\n", composicao.Paginas(), relogio.nsecsElapsed() / 1e9);
    for (int pagina : {1, composicao.Paginas() / 2, composicao.Paginas()}) {
        QImage imagem(794, 1123, QImage::Format_RGB32);  // A4 at 96 dpi, as the preview's 100%
        imagem.fill(Qt::white);
        relogio.restart();
        QPainter p(&imagem);
        composicao.DesenhaPagina(pagina, p);
        std::printf("página %d desenhada em %.3f s\n", pagina, relogio.nsecsElapsed() / 1e9);
    }
    return 0;
}

// The floor: one painter, one line per text, a new page when the next line does not fit.
int Piso(Banco& banco, const char* arquivo) {
    using relatorios::FonteRelatorio;
    using relatorios::TextoCore;
    CatalogoMensagens catalogo(banco);
    const auto texto = [&](const std::string& codigo) {
        const auto* m = catalogo.Busca(codigo);
        return m ? TextoCore(m->texto) : QString();
    };
    QPdfWriter pdf(QString::fromLocal8Bit(arquivo));
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    QPainter p(&pdf);
    const qreal k = 1200 / 25.4;
    const QFont normal = FonteRelatorio(9), negrito = FonteRelatorio(9, true), titulo = FonteRelatorio(14, true);
    const qreal limite = 277 - 8;
    qreal y = 1e9;
    int pagina = 0;
    const auto escreve = [&](const QFont& f, qreal x, qreal yy, const QString& t) {
        p.setFont(f);
        p.drawText(QPointF(x * k, (yy + 3.5) * k), t);
    };
    const auto linha = [&](qreal altura) {
        if (y + altura > limite) {
            if (pagina++) pdf.newPage();
            escreve(negrito, 0, 0, relatorios::NomeDeclaracao() + QStringLiteral(" - ") + relatorios::NomeCompletoDeclaracao());
            escreve(normal, 0, 6.5, relatorios::LinhaVersao(relatorios::VersaoPrograma()));
            escreve(titulo, 80, 11.5, QStringLiteral("Relatório de Erros"));
            escreve(normal, 0, 270, QStringLiteral("Página %1").arg(pagina));
            y = 27;
        }
        const qreal topo = y;
        y += altura;
        return topo;
    };
    Consulta q(banco, {"Select *", "from Te8ErrWA", "order by errwar,sequencial"});
    std::string registroAnterior, codigoAnterior, estabelecimentoAnterior;
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        const std::string registro = q.Texto("errwar") + q.Texto("inscricao") + q.Texto("prefixo") +
                                     q.Texto("copispasep") + q.Texto("DaAdmissao") + q.Texto("noempregado");
        const std::string estabelecimento = q.Texto("errwar") + q.Texto("inscricao") + q.Texto("prefixo");
        if (estabelecimento != estabelecimentoAnterior) {
            const qreal t = linha(6);
            escreve(negrito, 0, t + 1.5, QStringLiteral("Estabelecimento :"));
            escreve(negrito, 34, t + 1.5,
                    TextoCore(FormataInscricao(q.Texto("inscricao"), q.Texto("tipoinscricao")) + " (" +
                              q.Texto("prefixo") + ") " + q.Texto("razaosocial")));
            estabelecimentoAnterior = estabelecimento;
        }
        if (registro != registroAnterior) {
            const qreal t = linha(5.5);
            escreve(negrito, 0, t, QStringLiteral("Empregado :"));
            escreve(normal, 34, t, TextoCore(FormataPisPasep(q.Texto("copispasep"))));
            escreve(normal, 61, t, TextoCore(q.Texto("noempregado")));
            escreve(normal, 124, t, QStringLiteral("Admissão: ") + TextoCore(FormataData(q.Texto("DaAdmissao"))));
            codigoAnterior.clear();
        }
        if (q.Texto("retorno") != codigoAnterior) escreve(normal, 6, linha(5), texto(q.Texto("retorno")));
        const qreal t = linha(4.4);
        escreve(normal, 14, t, texto(q.Texto("lbl")));
        escreve(normal, 93, t, QStringLiteral("="));
        escreve(normal, 98, t, TextoCore(q.Texto("Conteudo")));
        registroAnterior = registro;
        codigoAnterior = q.Texto("retorno");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Uso();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Banco banco;
    banco.Abre("Zovi2005", {std::string("path=") + argv[2]});
    if (std::strcmp(argv[1], "preenche") == 0) return Preenche(banco, std::stol(argv[3]));
    if (std::strcmp(argv[1], "relatorio") == 0) return Relatorio(banco, argv[3]);
    if (std::strcmp(argv[1], "piso") == 0) return Piso(banco, argv[3]);
    if (std::strcmp(argv[1], "previa") == 0) return Previa(banco);
    return Uso();
}
