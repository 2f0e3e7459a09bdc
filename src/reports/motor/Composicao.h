#pragma once
// A report laid out into pages, and drawn.
//
// The layout reads the rows once, forward, and keeps nothing of them: for
// each page it keeps only where the page starts (the row, the step among that
// row's bands, the group values, the report's variables and which bands are
// enabled). Any page can then be drawn alone by opening the source at that row
// and laying out from there; a printer or a PDF gets its pages in one pass.
//
// Geometry is in millimetres and text is measured once, on a fixed reference
// resolution, so line breaks and page breaks are the same on the screen, the
// printer and PDF; each device only draws the glyphs at its own resolution.
#include <QDateTime>
#include <QFontMetricsF>
#include <QImage>

#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "motor/Relatorio.h"

class QPainter;

namespace zovi::relatorios {

class Composicao {
public:
    explicit Composicao(Relatorio& relatorio);
    ~Composicao();
    Composicao(const Composicao&) = delete;
    Composicao& operator=(const Composicao&) = delete;

    // Lays out the whole report without drawing, keeping where each page starts.
    // False when the report has more than `limite` pages (the count stops there), or when
    // `aoContar`, told the pages laid out so far, answers false (the report is then not laid out).
    bool Compoe(int limite = std::numeric_limits<int>::max(), const std::function<bool(int)>& aoContar = {});
    bool Composta() const { return composta_; }
    int Paginas() const { return static_cast<int>(inicios_.size()); }

    // Draws page `numero` (from 1), after Compoe, on a painter whose origin is the
    // top-left corner of the page's printable area (inside the margins).
    void DesenhaPagina(int numero, QPainter& pintor);
    // Draws pages de..ate (from 1; ate 0 = to the last) with an open painter in one pass,
    // calling novaPagina between two pages (a paged device's newPage); returns the pages drawn.
    // `aoDesenhar`, told the pages drawn so far after each, stops the drawing by answering false.
    int Desenha(QPainter& pintor, const std::function<void()>& novaPagina, int de = 1, int ate = 0,
                const std::function<bool(int)>& aoDesenhar = {});

    Relatorio& relatorio() { return relatorio_; }
    const QDateTime& Impressao() const { return impressao_; }

    // --- shared with the pass over the rows ---
    struct Estado {
        long linha = 0;              // the row being laid out
        bool fimLinhas = false;      // past the last row: the closing bands
        int passo = 0;               // the step among that row's bands
        bool antesFeito = false;     // that step's handler has run and its band prints
        bool temChaves = false;      // the group values of the previous row
        std::vector<QString> chaves;
        std::map<QString, QString> variaveis;
        std::vector<char> habilitadas;  // per band of the report
        int pagina = 0;              // pages opened so far
    };
    struct Medida {
        QFontMetricsF metricas;
        qreal ascendente, linha;     // mm
    };
    const Medida& MedidaFonte(int fonte);
    qreal LarguraMm(int fonte, const QString& texto);
    // The lines of a memo broken at the width (mm).
    QStringList Quebra(int fonte, const QString& texto, qreal largura);

private:
    friend class Passagem;
    QStringList QuebraTexto(int fonte, const QString& texto, qreal largura);
    Relatorio& relatorio_;
    QDateTime impressao_;
    QImage referencia_;              // the resolution text is measured at
    std::vector<std::unique_ptr<Medida>> medidas_;
    std::map<std::tuple<int, qreal, QString>, QStringList> quebras_;
    std::vector<char> habilitadasIniciais_;
    std::vector<Estado> inicios_;
    bool composta_ = false;
    bool contada_ = false;           // every page counted (the total is known)
};

}  // namespace zovi::relatorios
