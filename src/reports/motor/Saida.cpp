#include "motor/Saida.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "motor/Composicao.h"

namespace zovi::relatorios {

namespace {

// The pages an output of pages de..ate will send, copies included; 0 while the report is not laid out.
int PaginasDaSaida(Composicao& composicao, int de, int ate, int copias) {
    if (!composicao.Composta()) return 0;
    const int ultima = ate > 0 ? std::min(ate, composicao.Paginas()) : composicao.Paginas();
    return std::max(ultima - std::max(de, 1) + 1, 0) * std::max(copias, 1);
}

}  // namespace

int ImprimeEm(Composicao& composicao, QPagedPaintDevice& dispositivo, int de, int ate, int copias,
              const Progresso& progresso) {
    // A report that may have no page at all is counted first, so that nothing is opened for it.
    if (!composicao.relatorio().paginaSemLinhas && !composicao.Composta()) composicao.Compoe();
    if (composicao.Composta() && composicao.Paginas() == 0) return 0;
    dispositivo.setPageLayout(composicao.relatorio().Pagina());
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) return -1;
    const int total = PaginasDaSaida(composicao, de, ate, copias);
    int paginas = 0;
    bool cancelada = false;
    for (int i = 0; i < std::max(copias, 1) && !cancelada; ++i) {
        if (i > 0) dispositivo.newPage();
        const int antes = paginas;
        paginas += composicao.Desenha(pintor, [&] { dispositivo.newPage(); }, de, ate, [&](int desenhadas) {
            cancelada = progresso && !progresso(antes + desenhadas, total);
            return !cancelada;
        });
    }
    cancelada = cancelada || (progresso && !progresso(paginas, total));
    pintor.end();
    return cancelada ? kSaidaCancelada : paginas;
}

bool GeraPdf(Composicao& composicao, const QString& arquivo, QString* erro, const Progresso& progresso) {
    int paginas = 0;
    {
        QPdfWriter pdf(arquivo);
        pdf.setTitle(composicao.relatorio().Titulo());
        pdf.setCreator(QStringLiteral("GDZOVI - Gerador de Declaração ZOVI"));
        pdf.setResolution(1200);
        paginas = ImprimeEm(composicao, pdf, 1, 0, 1, progresso);
        if (paginas > 0) return true;
        if (paginas == 0) {
            if (erro) *erro = QStringLiteral("O relatório não tem páginas a imprimir.");
            return false;
        }
    }
    // Nothing half-written is left under the name asked for.
    QFile::remove(arquivo);
    if (erro)
        *erro = paginas == kSaidaCancelada
                    ? QStringLiteral("A gravação do arquivo \"%1\" foi cancelada.").arg(arquivo)
                    : QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(arquivo);
    return false;
}

bool GeraPdf(Relatorio& relatorio, const QString& arquivo, QString* erro) {
    Composicao composicao(relatorio);
    return GeraPdf(composicao, arquivo, erro);
}

}  // namespace zovi::relatorios
