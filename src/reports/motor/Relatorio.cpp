#include "motor/Relatorio.h"

namespace zovi::relatorios {

QString Contexto::Campo(const QString& nome) const { return fonte_ && !fonte_->Fim() ? fonte_->Campo(nome) : QString(); }

QString Contexto::Var(const QString& nome) const {
    auto it = variaveis_->find(nome);
    return it == variaveis_->end() ? QString() : it->second;
}

Expressao Campo(const QString& nome) {
    return [nome](const Contexto& c) { return c.Campo(nome); };
}

Expressao Variavel(const QString& nome) {
    return [nome](const Contexto& c) { return c.Var(nome); };
}


Elemento& Banda::Texto(const QRectF& area, const QString& texto, const QFont& fonte, Qt::Alignment alinhamento) {
    Elemento e;
    e.area = area;
    e.texto = texto;
    e.fonte = relatorio_.IndiceFonte(fonte);
    e.alinhamento = alinhamento;
    elementos.push_back(std::move(e));
    return elementos.back();
}

Elemento& Banda::Dado(const QRectF& area, Expressao valor, const QFont& fonte, Qt::Alignment alinhamento) {
    auto& e = Texto(area, {}, fonte, alinhamento);
    e.valor = std::move(valor);
    return e;
}

Elemento& Banda::Memo(const QRectF& area, const QString& texto, const QFont& fonte) {
    auto& e = Texto(area, texto, fonte);
    e.tipo = Elemento::Tipo::Memo;
    return e;
}

Elemento& Banda::Memo(const QRectF& area, Expressao valor, const QFont& fonte) {
    auto& e = Memo(area, QString(), fonte);
    e.valor = std::move(valor);
    return e;
}

Elemento& Banda::NumeroPagina(const QRectF& area, const QFont& fonte, Qt::Alignment alinhamento, bool comTotal) {
    if (!comTotal)
        return Dado(area, [](const Contexto& c) { return QStringLiteral("Página %1").arg(c.Pagina()); }, fonte,
                    alinhamento);
    auto& e = Dado(
        area, [](const Contexto& c) { return QStringLiteral("Página %1 de %2").arg(c.Pagina()).arg(c.TotalPaginas()); },
        fonte, alinhamento);
    e.usaTotalPaginas = true;
    return e;
}

Elemento& Banda::Retangulo(const QRectF& area, qreal espessura) {
    Elemento e;
    e.tipo = Elemento::Tipo::Retangulo;
    e.area = area;
    e.espessura = espessura;
    elementos.push_back(std::move(e));
    return elementos.back();
}

Elemento& Banda::Linha(const QPointF& de, const QPointF& ate, qreal espessura) {
    auto& e = Retangulo(QRectF(de, ate), espessura);
    e.tipo = Elemento::Tipo::Linha;
    return e;
}

Relatorio::Relatorio(QString titulo)
    : titulo_(std::move(titulo)),
      pagina_(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter) {}

Relatorio::~Relatorio() = default;

void Relatorio::DefinePagina(const QPageSize& tamanho, QPageLayout::Orientation orientacao, const QMarginsF& margensMm) {
    pagina_ = QPageLayout(tamanho, orientacao, margensMm, QPageLayout::Millimeter);
}

Banda& Relatorio::Nova(TipoBanda tipo, qreal altura) {
    bandas_.push_back(std::make_unique<Banda>(*this, tipo, altura));
    return *bandas_.back();
}

Banda& Relatorio::CabecalhoPagina(qreal altura) { return *(cabecalhoPagina_ = &Nova(TipoBanda::CabecalhoPagina, altura)); }

Banda& Relatorio::RodapePagina(qreal altura) { return *(rodapePagina_ = &Nova(TipoBanda::RodapePagina, altura)); }

Banda& Relatorio::CabecalhoGrupo(Expressao chave, qreal altura) {
    auto& b = Nova(TipoBanda::CabecalhoGrupo, altura);
    b.chave = std::move(chave);
    grupos_.push_back(&b);
    return b;
}

Banda& Relatorio::Detalhe(qreal altura) { return *(detalhe_ = &Nova(TipoBanda::Detalhe, altura)); }

Banda& Relatorio::Filha(Banda& mae, qreal altura) {
    auto& b = Nova(TipoBanda::Filha, altura);
    b.mae = &mae;
    mae.filhas.push_back(&b);
    return b;
}

Banda& Relatorio::Sumario(qreal altura) { return *(sumario_ = &Nova(TipoBanda::Sumario, altura)); }

int Relatorio::IndiceFonte(const QFont& fonte) {
    for (size_t i = 0; i < fontes_.size(); ++i)
        if (fontes_[i] == fonte) return static_cast<int>(i);
    fontes_.push_back(fonte);
    return static_cast<int>(fontes_.size() - 1);
}

bool Relatorio::UsaTotalPaginas() const {
    for (const auto& b : bandas_)
        for (const auto& e : b->elementos)
            if (e.usaTotalPaginas) return true;
    return false;
}

QFont FonteRelatorio(qreal pontos, bool negrito, const QString& familia) {
    QFont f(familia);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    // The same line breaks and widths on every device: no hinting toward the device's pixels.
    f.setHintingPreference(QFont::PreferNoHinting);
    // Plain glyphs: a PDF whose text reads back as typed ("fi", not a ligature), drawn faster.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

}  // namespace zovi::relatorios
