#include "TrpErros.h"

#include "PaginaPadrao.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 190;  // the printable width of an A4 page with 10 mm margins

const QString kParte = QStringLiteral("parte");
const QString kTitulo = QStringLiteral("titulo");
const QString kEstabelecimentoAnterior = QStringLiteral("estabelecimentoAnterior");

QString Formata(std::string (*rotina)(const std::string&), const QString& valor) {
    return TextoCore(rotina(valor.toStdString()));
}

// "Estabelecimento :" line: the inscription in the mask of its type, the prefix, the name.
QString LinhaEstabelecimento(const Contexto& c) {
    const auto inscricao =
        TextoCore(FormataInscricao(c.Campo("inscricao").toStdString(), c.Campo("tipoinscricao").toStdString()));
    return QStringLiteral("%1 (%2) %3").arg(inscricao, c.Campo("prefixo"), c.Campo("razaosocial").trimmed());
}

// An employee's field, on the employee line only.
Expressao DoEmpregado(std::function<QString(const Contexto&)> valor) {
    return [valor = std::move(valor)](const Contexto& c) {
        return c.Campo("tiporegistro").trimmed() == QLatin1String("2") ? valor(c) : QString();
    };
}

QString Registro(const Contexto& c) { return c.Campo("tiporegistro").trimmed(); }

// The mark of a record's line printed again at the top of a page that goes on with the record.
QString Continua(const Contexto& c) { return c.Continuacao() ? QStringLiteral(" (continuação)") : QString(); }

}  // namespace

QString TrpErros::VersaoPadrao() { return VersaoPrograma(); }

TrpErros::TrpErros(Banco& banco, const CatalogoMensagens& catalogo, const QString& versao)
    : Relatorio(QStringLiteral("Relatório de Erros")), catalogo_(catalogo) {
    DefinePagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    DefineFonte(std::make_unique<FonteConsulta>(
        banco, std::vector<std::string>{"Select *", "from Te8ErrWA", "order by errwar,sequencial"},
        std::vector<std::string>{"TE8ERRWA"}));
    MontaCabecalho(versao);
    MontaRodape();
    MontaGrupos();
    aoIniciar = [](Contexto& c) { c.Var(kTitulo) = QStringLiteral("Relatório de Erros"); };
}

QString TrpErros::TextoCodigo(const QString& codigo) const {
    const auto* m = catalogo_.Busca(codigo.trimmed().toStdString());
    return m ? TextoCore(m->texto) : QStringLiteral("Mensagem %1").arg(codigo.trimmed());
}

void TrpErros::MontaCabecalho(const QString& versao) {
    auto& cab = CabecalhoPagina(23);
    cab.Texto({0, 0, 150, 6}, NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao(),
              FonteRelatorio(11, true));
    cab.Texto({140, 0, 50, 6}, QStringLiteral("Ano-Base : 2005"), FonteRelatorio(11, true), Qt::AlignRight);
    cab.Texto({0, 6.5, kLargura, 5}, LinhaVersao(versao), FonteRelatorio(8));
    cab.Dado({0, 11.5, kLargura, 8}, Variavel(kTitulo), FonteRelatorio(14, true), Qt::AlignHCenter);
    cab.Linha({0, 20.5}, {kLargura, 20.5}, 0.3);
    cab.Linha({0, 21.3}, {kLargura, 21.3}, 0.3);

    // The note on warnings: enabled with the first warning.
    nota_ = &Filha(cab, 12);
    nota_->habilitada = false;
    const auto italico = [] {
        auto f = FonteRelatorio(9);
        f.setItalic(true);
        return f;
    }();
    nota_->Texto({0, 1, kLargura, 4.5}, QStringLiteral("\"Os avisos alertam para informações não esperadas."), italico,
                 Qt::AlignHCenter);
    nota_->Texto({0, 5.5, kLargura, 4.5}, QStringLiteral("Não impedem a entrega do disquete com a declaração da ZOVI.\""),
                 italico, Qt::AlignHCenter);
    nota_->Linha({0, 11}, {kLargura, 11}, 0.2);
}

void TrpErros::MontaRodape() {
    auto& rod = RodapePagina(8);
    rod.Linha({0, 1.5}, {kLargura, 1.5}, 0.2);
    rod.Dado({0, 3, 120, 4}, DataImpressao(), FonteRelatorio(8));
    rod.NumeroPagina({120, 3, 70, 4}, FonteRelatorio(8), Qt::AlignRight);
}

void TrpErros::MontaGrupos() {
    // The record: errwar + tiporegistro + inscricao + prefixo + copispasep + DaAdmissao + noempregado.
    auto registro = [](const Contexto& c) {
        return c.Campo("errwar") + c.Campo("tiporegistro") + c.Campo("inscricao") + c.Campo("prefixo") +
               c.Campo("copispasep") + c.Campo("DaAdmissao") + c.Campo("noempregado");
    };
    const auto normal = FonteRelatorio(9);
    const auto negrito = FonteRelatorio(9, true);

    // The establishment line; the switch to the warnings is decided here, on the first group of a warning.
    auto& estab = CabecalhoGrupo(registro, 6);
    estab.Texto({0, 1.5, 34, 4.5}, QStringLiteral("Estabelecimento :"), negrito);
    estab.Dado({34, 1.5, 156, 4.5}, [](const Contexto& c) { return LinhaEstabelecimento(c) + Continua(c); }, negrito);
    // A page that goes on with an establishment or its employees says whose they are.
    estab.repeteNaContinuacao = [](const Contexto& c) { return Registro(c) != QLatin1String("0"); };
    estab.antesDeImprimir = [this](Banda&, Contexto& c, bool& imprime) {
        if (c.Campo("errwar").trimmed() == QLatin1String("war") && c.Var(kParte) != QLatin1String("war")) {
            if (c.Var(kParte) == QLatin1String("err")) c.NovaPagina();
            c.Var(kParte) = QStringLiteral("war");
            c.Var(kTitulo) = QStringLiteral("Relatório de Avisos");
            c.Var(kEstabelecimentoAnterior).clear();
            nota_->habilitada = true;
        } else if (c.Var(kParte).isEmpty()) {
            c.Var(kParte) = c.Campo("errwar").trimmed();
        }
        const auto tipo = Registro(c);
        const auto estabelecimento = c.Campo("inscricao") + c.Campo("prefixo");
        imprime = tipo == QLatin1String("1") ||
                  (tipo == QLatin1String("2") && estabelecimento != c.Var(kEstabelecimentoAnterior));
        c.Var(kEstabelecimentoAnterior) = tipo == QLatin1String("0") ? QString() : estabelecimento;
    };

    // The record's own line: the declarant's caption or the employee.
    auto& linha = CabecalhoGrupo(registro, 5.5);
    linha.Dado({0, 0.5, 34, 4.5},
               [](const Contexto& c) {
                   return Registro(c) == QLatin1String("2") ? QStringLiteral("Empregado :") : QString();
               },
               negrito);
    linha.Dado({0, 0.5, kLargura, 4.5},
               [](const Contexto& c) {
                   return Registro(c) == QLatin1String("0")
                              ? QStringLiteral("Registro tipo zero(abertura do arquivo):") + Continua(c)
                              : QString();
               },
               negrito);
    linha.Dado({34, 0.5, 26, 4.5}, DoEmpregado([](const Contexto& c) { return Formata(FormataPisPasep, c.Campo("copispasep")); }),
               normal);
    linha.Dado({61, 0.5, 62, 4.5}, DoEmpregado([](const Contexto& c) { return c.Campo("noempregado").trimmed(); }),
               normal);
    linha.Dado({124, 0.5, 38, 4.5},
               DoEmpregado([](const Contexto& c) {
                   return QStringLiteral("Admissão: ") + Formata(FormataData, c.Campo("DaAdmissao"));
               }),
               normal);
    linha.Dado({163, 0.5, 27, 4.5},
               DoEmpregado([](const Contexto& c) {
                   const auto uso = c.Campo("usoempresa").trimmed();
                   return uso.isEmpty() ? uso : QStringLiteral("(%1)").arg(uso);
               }),
               normal);
    linha.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) { imprime = Registro(c) != QLatin1String("1"); };
    linha.repeteNaContinuacao = [](const Contexto& c) { return Registro(c) != QLatin1String("1"); };

    // The text of the result code, once for its run of rows on the record.
    auto& codigo = CabecalhoGrupo(Campo("retorno"), 5);
    codigo.Memo({6, 0.5, 184, 4.2}, [this](const Contexto& c) { return TextoCodigo(c.Campo("retorno")); }, normal);
    // A page that opens among its field lines says which check they failed.
    codigo.repeteNaContinuacao = [](const Contexto&) { return true; };

    auto& detalhe = Detalhe(4.4);
    detalhe.Dado({14, 0, 78, 4.2}, [this](const Contexto& c) { return TextoCodigo(c.Campo("lbl")); }, normal);
    detalhe.Texto({93, 0, 4, 4.2}, QStringLiteral("="), normal);
    detalhe.Dado({98, 0, 92, 4.2}, [](const Contexto& c) { return c.Campo("Conteudo").trimmed(); }, normal);

    auto& vazio = Sumario(10);
    vazio.Texto({0, 3, kLargura, 5}, QStringLiteral("Nenhuma inconsistência registrada pela última verificação."),
                normal);
    vazio.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) { imprime = c.Linhas() == 0; };
}

}  // namespace zovi::relatorios
