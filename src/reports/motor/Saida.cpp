#include "motor/Saida.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "motor/Composicao.h"

namespace zovi::relatorios {

int ImprimeEm(Composicao& composicao, QPagedPaintDevice& dispositivo, int de, int ate, int copias) {
    // A report that may have no page at all is counted first, so that nothing is opened for it.
    if (!composicao.relatorio().paginaSemLinhas && !composicao.Composta()) composicao.Compoe();
    if (composicao.Composta() && composicao.Paginas() == 0) return 0;
    dispositivo.setPageLayout(composicao.relatorio().Pagina());
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) return -1;
    int paginas = 0;
    for (int i = 0; i < std::max(copias, 1); ++i) {
        if (i > 0) dispositivo.newPage();
        paginas += composicao.Desenha(pintor, [&] { dispositivo.newPage(); }, de, ate);
    }
    pintor.end();
    return paginas;
}

bool GeraPdf(Composicao& composicao, const QString& arquivo, QString* erro) {
    {
        QPdfWriter pdf(arquivo);
        pdf.setTitle(composicao.relatorio().Titulo());
        pdf.setCreator(QStringLiteral("GDZOVI - Gerador de Declaração ZOVI"));
        pdf.setResolution(1200);
        const int paginas = ImprimeEm(composicao, pdf);
        if (paginas > 0) return true;
        if (paginas == 0) {
            if (erro) *erro = QStringLiteral("O relatório não tem páginas a imprimir.");
            return false;
        }
    }
    // Nothing half-written is left under the name asked for.
    QFile::remove(arquivo);
    if (erro) *erro = QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(arquivo);
    return false;
}

bool GeraPdf(Relatorio& relatorio, const QString& arquivo, QString* erro) {
    Composicao composicao(relatorio);
    return GeraPdf(composicao, arquivo, erro);
}

}  // namespace zovi::relatorios
