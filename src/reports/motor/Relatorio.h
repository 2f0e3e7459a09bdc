#pragma once
// A band report, described once and drawn the same way on the preview, the
// printer and PDF (see Composicao.h for how it is laid out into pages).
//
// A report is a page layout, a source of rows and bands:
//   - page header and page footer, printed on every page;
//   - group headers, each on an expression of the row, nested in the order
//     they are added: a header prints when its expression, or the expression of
//     an outer group, changes from the previous row; a header may also print
//     again at the top of a page that continues its group, so that every page
//     says whose rows it holds;
//   - the detail band, once per row;
//   - child bands, printed right after their parent band whenever it prints;
//   - a summary band after the last row.
// Bands hold elements placed in millimetres from the band's top-left corner:
// fixed texts, data-bound texts, memos (wrapped, the band grows to hold them),
// rectangles and rules.
//
// Handlers run while the report prints: a band's handler may decide that the
// band does not print this time, enable or disable bands, ask for a new page
// and keep variables; a data-bound text's handler may replace its value.
// Handlers keep whatever they carry from row to row in the variables of the
// Contexto (never in variables of their own): the layout saves them with the
// start of each page, so that any page can be drawn again on its own.
#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "motor/FonteLinhas.h"

namespace zovi::relatorios {

class Banda;
class Passagem;
class Relatorio;

// What handlers and expressions see while the report prints.
class Contexto {
public:
    // The current row's field.
    QString Campo(const QString& nome) const;
    // A variable of the report, empty until set.
    QString& Var(const QString& nome) { return (*variaveis_)[nome]; }
    QString Var(const QString& nome) const;
    int Pagina() const { return pagina_; }
    // The number of pages; known when the report asked for it (Relatorio::UsaTotalPaginas).
    int TotalPaginas() const { return totalPaginas_; }
    // The moment the printing started, the same on every page.
    const QDateTime& Impressao() const { return impressao_; }
    // Rows printed so far (the current one included).
    long Linhas() const { return linhas_; }
    // From a band's handler: the next band that prints starts a new page (nothing happens
    // at the top of a page).
    void NovaPagina() { novaPagina_ = true; }
    // True while a group header prints again at the top of a page that continues its group.
    bool Continuacao() const { return continuacao_; }

private:
    friend class Passagem;
    FonteLinhas* fonte_ = nullptr;
    std::map<QString, QString>* variaveis_ = nullptr;
    int pagina_ = 0;
    int totalPaginas_ = 0;
    QDateTime impressao_;
    long linhas_ = 0;
    bool novaPagina_ = false;
    bool continuacao_ = false;
};

using Expressao = std::function<QString(const Contexto&)>;
// The current row's field.
Expressao Campo(const QString& nome);
// A variable of the report.
Expressao Variavel(const QString& nome);

struct Elemento {
    enum class Tipo { Texto, Memo, Retangulo, Linha };
    Tipo tipo = Tipo::Texto;
    QRectF area;                   // mm; for a rule, from the top-left to the bottom-right corner
    QString texto;                 // a fixed text
    Expressao valor;               // a data-bound text (when set, instead of the fixed text)
    // Replaces a data-bound value before it prints.
    std::function<void(QString& valor, Contexto&)> aoImprimir;
    int fonte = 0;                 // index in the report's fonts
    Qt::Alignment alinhamento = Qt::AlignLeft;
    qreal espessura = 0.2;         // mm, for rectangles and rules
    bool usaTotalPaginas = false;
};

enum class TipoBanda { CabecalhoPagina, RodapePagina, CabecalhoGrupo, Detalhe, Filha, Sumario };

class Banda {
public:
    Banda(Relatorio& relatorio, TipoBanda tipo, qreal altura) : relatorio_(relatorio), tipo(tipo), altura(altura) {}
    Banda(const Banda&) = delete;
    Banda& operator=(const Banda&) = delete;

    Elemento& Texto(const QRectF& area, const QString& texto, const QFont& fonte,
                    Qt::Alignment alinhamento = Qt::AlignLeft);
    Elemento& Dado(const QRectF& area, Expressao valor, const QFont& fonte, Qt::Alignment alinhamento = Qt::AlignLeft);
    // Wrapped at the area's width; the band grows when the text needs more lines than fit.
    Elemento& Memo(const QRectF& area, const QString& texto, const QFont& fonte);
    Elemento& Memo(const QRectF& area, Expressao valor, const QFont& fonte);
    // "Página N", or "Página N de M" with the total (the layout then counts the pages first).
    Elemento& NumeroPagina(const QRectF& area, const QFont& fonte, Qt::Alignment alinhamento, bool comTotal = false);
    Elemento& Retangulo(const QRectF& area, qreal espessura = 0.2);
    Elemento& Linha(const QPointF& de, const QPointF& ate, qreal espessura = 0.2);

    Relatorio& relatorio() { return relatorio_; }

private:
    Relatorio& relatorio_;

public:
    const TipoBanda tipo;
    qreal altura;                  // mm
    bool habilitada = true;        // a disabled band does not print, nor do its children
    bool novaPagina = false;       // starts on a new page (nothing happens at the top of a page)
    Expressao chave;               // group headers: the expression whose change prints the band
    Banda* mae = nullptr;          // child bands: the band they follow
    std::vector<Banda*> filhas;
    std::vector<Elemento> elementos;
    // Runs before the band prints; clearing `imprime` leaves it out this time.
    std::function<void(Banda&, Contexto&, bool& imprime)> antesDeImprimir;
    // Group headers: when set and true for the current row, the band prints again below the
    // page header of a page that continues its group (the handler above does not run then;
    // Contexto::Continuacao() is true while it prints).
    std::function<bool(const Contexto&)> repeteNaContinuacao;
};

class Relatorio {
public:
    explicit Relatorio(QString titulo);
    virtual ~Relatorio();
    Relatorio(const Relatorio&) = delete;
    Relatorio& operator=(const Relatorio&) = delete;

    const QString& Titulo() const { return titulo_; }
    const QPageLayout& Pagina() const { return pagina_; }
    void DefinePagina(const QPageSize& tamanho, QPageLayout::Orientation orientacao, const QMarginsF& margensMm);

    Banda& CabecalhoPagina(qreal altura);
    Banda& RodapePagina(qreal altura);
    // Nested in the order added: the first is the outermost.
    Banda& CabecalhoGrupo(Expressao chave, qreal altura);
    Banda& Detalhe(qreal altura);
    Banda& Filha(Banda& mae, qreal altura);
    Banda& Sumario(qreal altura);

    void DefineFonte(std::unique_ptr<FonteLinhas> fonte) { fonte_ = std::move(fonte); }
    FonteLinhas* Fonte() { return fonte_.get(); }

    // With no row at all: one page with the page bands and the summary, or (false) no page.
    bool paginaSemLinhas = true;
    // Sets the report's variables before each pass over the rows.
    std::function<void(Contexto&)> aoIniciar;

    // --- for the layout ---
    Banda* cabecalhoPagina() { return cabecalhoPagina_; }
    Banda* rodapePagina() { return rodapePagina_; }
    const std::vector<Banda*>& grupos() const { return grupos_; }
    Banda* detalhe() { return detalhe_; }
    Banda* sumario() { return sumario_; }
    const std::vector<std::unique_ptr<Banda>>& bandas() const { return bandas_; }
    const std::vector<QFont>& fontes() const { return fontes_; }
    int IndiceFonte(const QFont& fonte);
    bool UsaTotalPaginas() const;

private:
    Banda& Nova(TipoBanda tipo, qreal altura);

    QString titulo_;
    QPageLayout pagina_;
    std::unique_ptr<FonteLinhas> fonte_;
    std::vector<std::unique_ptr<Banda>> bandas_;
    std::vector<QFont> fontes_;
    Banda* cabecalhoPagina_ = nullptr;
    Banda* rodapePagina_ = nullptr;
    std::vector<Banda*> grupos_;
    Banda* detalhe_ = nullptr;
    Banda* sumario_ = nullptr;
};

// A font of the reports, in points. Arial is found as its metric twin Liberation Sans
// (fonts-liberation2), so texts take the room they were laid out for.
QFont FonteRelatorio(qreal pontos, bool negrito = false, const QString& familia = QStringLiteral("Arial"));

}  // namespace zovi::relatorios
