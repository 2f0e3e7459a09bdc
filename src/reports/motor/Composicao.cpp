#include "motor/Composicao.h"

#include <QPainter>

#include <algorithm>

namespace zovi::relatorios {

namespace {

// Text is measured at this resolution whatever the device.
constexpr qreal kDpiReferencia = 1200.0;
constexpr qreal kMmPorPolegada = 25.4;

struct Passo {
    Banda* banda;
    int mae;  // step of the parent band (child bands), -1 otherwise
};

// A band and its children, depth first.
void AcrescentaComFilhas(std::vector<Passo>& passos, Banda* banda, int mae) {
    const int indice = static_cast<int>(passos.size());
    passos.push_back({banda, mae});
    for (auto* filha : banda->filhas) AcrescentaComFilhas(passos, filha, indice);
}

}  // namespace

// One pass over the rows: lays out pages, draws those asked for, and remembers
// where each page starts.
class Passagem {
public:
    Passagem(Composicao& c, Composicao::Estado inicio) : c_(c), r_(c.relatorio_), e_(std::move(inicio)) {
        ctx_.fonte_ = r_.Fonte();
        ctx_.variaveis_ = &e_.variaveis;
        ctx_.impressao_ = c.impressao_;
        ctx_.totalPaginas_ = c.contada_ ? c.Paginas() : 0;
        const auto& regiao = r_.Pagina().paintRect(QPageLayout::Millimeter);
        largura_ = regiao.width();
        altura_ = regiao.height();
    }

    // Draws pages de..ate (from 1) with the painter; without one, only lays out. `aoDesenhar`
    // answering false after a page stops the pass there.
    void Desenha(QPainter* pintor, std::function<void()> novaPagina, int de, int ate,
                 std::function<bool(int)> aoDesenhar = {}) {
        pintor_ = pintor;
        novaPaginaDispositivo_ = std::move(novaPagina);
        aoDesenhar_ = std::move(aoDesenhar);
        de_ = de;
        ate_ = ate;
        if (pintor_) k_ = pintor_->device()->logicalDpiY() / kMmPorPolegada;
    }
    // Calls back at the start of each page with the state it starts from.
    std::function<bool(const Composicao::Estado&)> aoAbrirPagina;

    void Percorre();
    int Desenhadas() const { return desenhadas_; }

private:
    std::vector<Passo> PassosDaLinha(std::vector<QString>& chaves);
    // The groups (outermost first) whose rows have begun when step k of the row prints.
    size_t GruposAbertos(const std::vector<Passo>& passos, size_t k) const;
    // The headers of the groups a new page continues, below its page header.
    void RepeteGrupos();
    std::vector<Passo> PassosDoFim();
    bool Emite(Banda& banda);
    void Prepara(Banda& banda, bool desenhando);
    void AbrePagina();
    void FechaPagina();
    void ImprimeFixa(Banda& banda);
    void DesenhaBanda(Banda& banda, qreal topo);
    bool Desenhando() const { return pintor_ && e_.pagina >= de_ && (ate_ <= 0 || e_.pagina <= ate_); }
    qreal LimiteCorpo() const {
        auto* rodape = r_.rodapePagina();
        return altura_ - (rodape && rodape->habilitada ? rodape->altura : 0);
    }

    Composicao& c_;
    Relatorio& r_;
    Composicao::Estado e_;
    Contexto ctx_;
    QPainter* pintor_ = nullptr;
    std::function<void()> novaPaginaDispositivo_;
    std::function<bool(int)> aoDesenhar_;
    int de_ = 1, ate_ = 0;
    qreal k_ = 1;                  // device pixels per mm
    qreal largura_ = 0, altura_ = 0;
    bool paginaAberta_ = false;
    bool corpoUsado_ = false;
    qreal y_ = 0;                  // mm from the top of the printable area
    bool parar_ = false;
    int desenhadas_ = 0;
    int fonteAtual_ = -1;
    size_t primeiroGrupo_ = 0;     // the outermost group whose header the current row prints
    size_t gruposAbertos_ = 0;     // the groups a page opened now continues
    // The band being printed: its values and memo lines, worked out once.
    std::vector<QString> valores_;
    std::vector<QStringList> linhasMemo_;
    qreal alturaBanda_ = 0;
};

std::vector<Passo> Passagem::PassosDaLinha(std::vector<QString>& chaves) {
    const auto& grupos = r_.grupos();
    chaves.clear();
    for (auto* g : grupos) chaves.push_back(g->chave(ctx_));
    size_t primeiro = 0;
    if (e_.temChaves)
        while (primeiro < grupos.size() && chaves[primeiro] == e_.chaves[primeiro]) ++primeiro;
    primeiroGrupo_ = primeiro;
    std::vector<Passo> passos;
    for (size_t i = primeiro; i < grupos.size(); ++i) AcrescentaComFilhas(passos, grupos[i], -1);
    if (auto* d = r_.detalhe()) AcrescentaComFilhas(passos, d, -1);
    return passos;
}

size_t Passagem::GruposAbertos(const std::vector<Passo>& passos, size_t k) const {
    if (e_.fimLinhas) return 0;
    size_t abertos = primeiroGrupo_;
    for (size_t j = 0; j < k; ++j)
        if (passos[j].mae < 0 && passos[j].banda->tipo == TipoBanda::CabecalhoGrupo) ++abertos;
    return abertos;
}

std::vector<Passo> Passagem::PassosDoFim() {
    std::vector<Passo> passos;
    if (auto* s = r_.sumario()) AcrescentaComFilhas(passos, s, -1);
    return passos;
}

void Passagem::Percorre() {
    auto* fonte = r_.Fonte();
    // A pass from the start begins with the bands as the report was described.
    const bool doInicio = e_.habilitadas.empty();
    if (doInicio) e_.habilitadas = c_.habilitadasIniciais_;
    for (size_t i = 0; i < r_.bandas().size(); ++i) r_.bandas()[i]->habilitada = e_.habilitadas[i];
    if (doInicio && r_.aoIniciar) r_.aoIniciar(ctx_);
    if (fonte) fonte->AbreEm(e_.linha);
    std::vector<QString> chaves;
    while (!parar_) {
        if (!e_.fimLinhas && (!fonte || fonte->Fim())) {
            e_.fimLinhas = true;
            e_.passo = 0;
        }
        ctx_.linhas_ = e_.fimLinhas ? e_.linha : e_.linha + 1;
        const auto passos = e_.fimLinhas ? PassosDoFim() : PassosDaLinha(chaves);
        // A step is reached again only after every step before it that leads to it has printed.
        std::vector<char> impressa(passos.size(), 0);
        std::fill(impressa.begin(), impressa.begin() + std::min<size_t>(e_.passo, passos.size()), 1);
        for (size_t k = e_.passo; k < passos.size() && !parar_; ++k) {
            e_.passo = static_cast<int>(k);
            const auto& p = passos[k];
            gruposAbertos_ = GruposAbertos(passos, k);
            impressa[k] = (p.mae < 0 || impressa[p.mae]) && Emite(*p.banda);
            e_.antesFeito = false;
        }
        if (parar_ || e_.fimLinhas) break;
        e_.chaves = chaves;
        e_.temChaves = true;
        e_.passo = 0;
        ++e_.linha;
        fonte->Proximo();
    }
    if (!parar_) {
        if (paginaAberta_)
            FechaPagina();
        else if (e_.pagina == 0 && r_.paginaSemLinhas) {
            AbrePagina();
            if (!parar_) FechaPagina();
        }
    }
    if (fonte) fonte->Fecha();
}

bool Passagem::Emite(Banda& banda) {
    const bool retomada = e_.antesFeito;
    if (!retomada) {
        if (!banda.habilitada) return false;
        bool imprime = true;
        if (banda.antesDeImprimir) banda.antesDeImprimir(banda, ctx_, imprime);
        if (!imprime) return false;
    }
    Prepara(banda, paginaAberta_ && Desenhando());
    const bool forcada = !retomada && (ctx_.novaPagina_ || banda.novaPagina);
    if (paginaAberta_ && corpoUsado_ && (forcada || y_ + alturaBanda_ > LimiteCorpo() + 1e-6)) {
        FechaPagina();
        if (parar_) return false;
    }
    if (!paginaAberta_) {
        e_.antesFeito = true;
        AbrePagina();
        if (parar_) return false;
        // Worked out again on the new page: it may be drawn, and shows this page's number.
        Prepara(banda, Desenhando());
    }
    if (Desenhando()) DesenhaBanda(banda, y_);
    y_ += alturaBanda_;
    corpoUsado_ = true;
    ctx_.novaPagina_ = false;
    return true;
}

// Works out the band's values (only the memos' unless drawing) and its height.
void Passagem::Prepara(Banda& banda, bool desenhando) {
    valores_.assign(banda.elementos.size(), QString());
    linhasMemo_.assign(banda.elementos.size(), QStringList());
    alturaBanda_ = banda.altura;
    for (size_t i = 0; i < banda.elementos.size(); ++i) {
        auto& el = banda.elementos[i];
        const bool memo = el.tipo == Elemento::Tipo::Memo;
        if (!memo && (!desenhando || el.tipo != Elemento::Tipo::Texto)) continue;
        QString v = el.valor ? el.valor(ctx_) : el.texto;
        if (el.aoImprimir) el.aoImprimir(v, ctx_);
        if (memo) {
            linhasMemo_[i] = c_.Quebra(el.fonte, v, el.area.width());
            const qreal precisa = linhasMemo_[i].size() * c_.MedidaFonte(el.fonte).linha;
            alturaBanda_ = std::max(alturaBanda_, banda.altura + precisa - el.area.height());
        }
        valores_[i] = std::move(v);
    }
}

void Passagem::AbrePagina() {
    ++e_.pagina;
    ctx_.pagina_ = e_.pagina;
    if (aoAbrirPagina) {
        auto inicio = e_;
        inicio.pagina = e_.pagina - 1;
        for (size_t i = 0; i < r_.bandas().size(); ++i) inicio.habilitadas[i] = r_.bandas()[i]->habilitada;
        if (!aoAbrirPagina(inicio)) {
            parar_ = true;
            return;
        }
    }
    paginaAberta_ = true;
    corpoUsado_ = false;
    ctx_.novaPagina_ = false;
    y_ = 0;
    fonteAtual_ = -1;
    if (Desenhando()) {
        if (desenhadas_ > 0 && aoDesenhar_ && !aoDesenhar_(desenhadas_)) {
            parar_ = true;
            return;
        }
        if (desenhadas_ > 0 && novaPaginaDispositivo_) novaPaginaDispositivo_();
        ++desenhadas_;
    }
    if (auto* cabecalho = r_.cabecalhoPagina()) ImprimeFixa(*cabecalho);
    RepeteGrupos();
}

// Printed like the page header: on this page whatever room is left, and the body still counts
// as empty, so the band that opened the page goes on it.
void Passagem::RepeteGrupos() {
    const auto& grupos = r_.grupos();
    for (size_t i = 0; i < gruposAbertos_ && i < grupos.size(); ++i) {
        Banda& grupo = *grupos[i];
        if (!grupo.habilitada || !grupo.repeteNaContinuacao || !grupo.repeteNaContinuacao(ctx_)) continue;
        ctx_.continuacao_ = true;
        Prepara(grupo, Desenhando());
        if (Desenhando()) DesenhaBanda(grupo, y_);
        y_ += alturaBanda_;
        ctx_.continuacao_ = false;
    }
}

void Passagem::FechaPagina() {
    if (auto* rodape = r_.rodapePagina(); rodape && rodape->habilitada) {
        y_ = LimiteCorpo();
        ImprimeFixa(*rodape);
    }
    paginaAberta_ = false;
    if (ate_ > 0 && e_.pagina >= ate_) parar_ = true;
}

// A page band and its children: printed where the page puts them, never moved to another page.
void Passagem::ImprimeFixa(Banda& banda) {
    if (!banda.habilitada) return;
    bool imprime = true;
    if (banda.antesDeImprimir) banda.antesDeImprimir(banda, ctx_, imprime);
    if (!imprime) return;
    Prepara(banda, Desenhando());
    if (Desenhando()) DesenhaBanda(banda, y_);
    y_ += alturaBanda_;
    for (auto* filha : banda.filhas) ImprimeFixa(*filha);
}

void Passagem::DesenhaBanda(Banda& banda, qreal topo) {
    auto& p = *pintor_;
    for (size_t i = 0; i < banda.elementos.size(); ++i) {
        const auto& el = banda.elementos[i];
        const QRectF a = el.area.translated(0, topo);
        switch (el.tipo) {
            case Elemento::Tipo::Retangulo:
            case Elemento::Tipo::Linha: {
                p.setPen(QPen(Qt::black, el.espessura * k_));
                p.setBrush(Qt::NoBrush);
                const QRectF px(a.topLeft() * k_, a.bottomRight() * k_);
                if (el.tipo == Elemento::Tipo::Linha)
                    p.drawLine(px.topLeft(), px.bottomRight());
                else
                    p.drawRect(px);
                break;
            }
            case Elemento::Tipo::Texto:
            case Elemento::Tipo::Memo: {
                if (fonteAtual_ != el.fonte) {
                    p.setFont(r_.fontes()[static_cast<size_t>(el.fonte)]);
                    p.setPen(Qt::black);
                    fonteAtual_ = el.fonte;
                }
                const auto& m = c_.MedidaFonte(el.fonte);
                const QStringList unica{valores_[i]};
                const QStringList& linhas = el.tipo == Elemento::Tipo::Memo ? linhasMemo_[i] : unica;
                qreal y = a.top();
                if (el.alinhamento & Qt::AlignVCenter) y += (a.height() - m.linha) / 2;
                if (el.alinhamento & Qt::AlignBottom) y = a.bottom() - m.linha;
                for (const auto& linha : linhas) {
                    if (!linha.isEmpty()) {
                        qreal x = a.left();
                        if (el.alinhamento & (Qt::AlignRight | Qt::AlignHCenter)) {
                            const qreal sobra = a.width() - c_.LarguraMm(el.fonte, linha);
                            x += (el.alinhamento & Qt::AlignRight) ? sobra : sobra / 2;
                        }
                        p.drawText(QPointF(x * k_, (y + m.ascendente) * k_), linha);
                    }
                    y += m.linha;
                }
                break;
            }
        }
    }
}

Composicao::Composicao(Relatorio& relatorio)
    : relatorio_(relatorio), impressao_(QDateTime::currentDateTime()), referencia_(1, 1, QImage::Format_Mono) {
    for (const auto& b : relatorio.bandas()) habilitadasIniciais_.push_back(b->habilitada);
    const int pontosPorMetro = qRound(kDpiReferencia / kMmPorPolegada * 1000);
    referencia_.setDotsPerMeterX(pontosPorMetro);
    referencia_.setDotsPerMeterY(pontosPorMetro);
}

Composicao::~Composicao() = default;

const Composicao::Medida& Composicao::MedidaFonte(int fonte) {
    const auto i = static_cast<size_t>(fonte);
    if (medidas_.size() <= i) medidas_.resize(i + 1);
    if (!medidas_[i]) {
        QFontMetricsF m(relatorio_.fontes()[i], &referencia_);
        const qreal mm = kMmPorPolegada / kDpiReferencia;
        medidas_[i] = std::make_unique<Medida>(Medida{m, m.ascent() * mm, m.lineSpacing() * mm});
    }
    return *medidas_[i];
}

qreal Composicao::LarguraMm(int fonte, const QString& texto) {
    return MedidaFonte(fonte).metricas.horizontalAdvance(texto) * kMmPorPolegada / kDpiReferencia;
}

QStringList Composicao::Quebra(int fonte, const QString& texto, qreal largura) {
    // Reports repeat the same memo texts (a message for every row it concerns): each is broken once.
    const auto chave = std::make_tuple(fonte, largura, texto);
    if (auto it = quebras_.find(chave); it != quebras_.end()) return it->second;
    if (quebras_.size() >= 4096) quebras_.clear();
    return quebras_[chave] = QuebraTexto(fonte, texto, largura);
}

QStringList Composicao::QuebraTexto(int fonte, const QString& texto, qreal largura) {
    QStringList linhas;
    for (const auto& paragrafo : texto.split(QLatin1Char('\n'))) {
        QString linha;
        for (const auto& palavra : paragrafo.split(QLatin1Char(' '))) {
            const QString tentativa = linha.isEmpty() ? palavra : linha + QLatin1Char(' ') + palavra;
            if (linha.isEmpty() || LarguraMm(fonte, tentativa) <= largura) {
                linha = tentativa;
                continue;
            }
            linhas << linha;
            linha = palavra;
        }
        // A word wider than the memo is cut where it reaches the edge.
        while (linha.size() > 1 && LarguraMm(fonte, linha) > largura) {
            int n = linha.size() - 1;
            while (n > 1 && LarguraMm(fonte, linha.left(n)) > largura) --n;
            linhas << linha.left(n);
            linha = linha.mid(n);
        }
        linhas << linha;
    }
    return linhas;
}

bool Composicao::Compoe(int limite, const std::function<bool(int)>& aoContar) {
    inicios_.clear();
    contada_ = false;
    bool coube = true, desistiu = false;
    Passagem passagem(*this, Estado{});
    passagem.aoAbrirPagina = [&](const Estado& inicio) {
        if (static_cast<int>(inicios_.size()) >= limite) {
            coube = false;
            return false;
        }
        if (aoContar && !inicios_.empty() && !aoContar(Paginas())) {
            desistiu = true;
            return false;
        }
        inicios_.push_back(inicio);
        return true;
    };
    passagem.Percorre();
    if (desistiu) inicios_.clear();
    composta_ = !desistiu;
    contada_ = coube && !desistiu;
    return contada_;
}

void Composicao::DesenhaPagina(int numero, QPainter& pintor) {
    if (numero < 1 || numero > Paginas()) return;
    Passagem passagem(*this, inicios_[static_cast<size_t>(numero - 1)]);
    passagem.Desenha(&pintor, nullptr, numero, numero);
    passagem.Percorre();
}

int Composicao::Desenha(QPainter& pintor, const std::function<void()>& novaPagina, int de, int ate,
                        const std::function<bool(int)>& aoDesenhar) {
    if (relatorio_.UsaTotalPaginas() && !contada_) Compoe();
    Passagem passagem(*this, Estado{});
    passagem.Desenha(&pintor, novaPagina, std::max(de, 1), ate, aoDesenhar);
    passagem.Percorre();
    return passagem.Desenhadas();
}

}  // namespace zovi::relatorios
