#include "TrpImport.h"

#include "PaginaPadrao.h"
#include "engine/Consulta.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 195.9;  // letter paper less 10 mm on each side

QString Formatada(const QString& inscricao, const char* tipo) {
    return TextoCore(FormataInscricao(inscricao.toStdString(), tipo));
}

QString Contagem(const QString& valor) { return valor.trimmed().isEmpty() ? QStringLiteral("0") : valor.trimmed(); }

}  // namespace

QString TrpImport::VersaoPrograma() { return relatorios::VersaoPrograma(); }

QString TrpImport::Inscricao(const QString& inscricao, const QString& tipo) {
    const std::string c = fCriticaInscricao(inscricao.toStdString());
    const QString t = tipo.trimmed();
    if (c == "0051" || (c == "0050" && t == QLatin1String("1"))) return Formatada(inscricao, "1");
    if (c == "0052" || (c == "0050" && t == QLatin1String("3"))) return Formatada(inscricao, "3");
    return inscricao;
}

QString TrpImport::CeiVinculado(const QString& vinculado) {
    const std::string v = vinculado.toStdString();
    if (fVazioOuZeros(v)) return {};
    const std::string c = fCriticaInscricao(v);
    return c == "0052" || c == "0050" ? Formatada(vinculado, "3") : vinculado;
}

// The footnotes: each code used once, by its number.
QString TrpImport::Notas() const {
    if (!banco_.ExisteTabela("TE8IMP")) return {};
    Consulta q(banco_, {"select distinct seq,coimp", "from te8imp", "where coimp<>'0000' and coimp<>''",
                        "Order by cast(seq as integer)"});
    QStringList linhas;
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        const auto* m = catalogo_.Busca(q.Texto(1));
        linhas << QStringLiteral("(%1) %2").arg(TextoCore(q.Texto(0)), m ? TextoCore(m->texto) : QString());
    }
    return linhas.join(QLatin1Char('\n'));
}

TrpImport::TrpImport(Banco& banco, const CatalogoMensagens& catalogo, int ano, const QString& versao)
    : Relatorio(QStringLiteral("Relatório de Importação de Dados")), banco_(banco), catalogo_(catalogo) {
    DefinePagina(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    DefineFonte(std::make_unique<FonteConsulta>(banco, std::vector<std::string>{"select *", "from te8imp"},
                                                std::vector<std::string>{"TE8IMP"}));
    const auto normal = FonteRelatorio(9);
    const auto negrito = FonteRelatorio(9, true);

    auto& cab = CabecalhoPagina(42);
    cab.Texto({0, 0, 150, 6}, NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao(), FonteRelatorio(11, true));
    cab.Texto({146, 0, 50, 6}, QStringLiteral("Ano-Base : 2005"), FonteRelatorio(11, true), Qt::AlignRight);
    cab.Texto({0, 6.5, kLargura, 5}, LinhaVersao(versao), FonteRelatorio(8));
    cab.Texto({0, 12, kLargura, 8}, QStringLiteral("Relatório de Importação de Dados  ") + QString::number(ano),
              FonteRelatorio(14, true), Qt::AlignHCenter);
    cab.Dado({0, 20.5, 120, 4}, DataImpressao(), FonteRelatorio(8));
    cab.NumeroPagina({120, 20.5, kLargura - 120, 4}, FonteRelatorio(8), Qt::AlignRight);
    cab.Linha({0, 25.5}, {kLargura, 25.5}, 0.3);
    cab.Texto({0, 26.5, 110, 5}, QStringLiteral("Identificação do Estabelecimento"), negrito, Qt::AlignHCenter);
    cab.Texto({132, 26.5, kLargura - 132, 5}, QStringLiteral("Contabilização dos Empregados/Servidores"), negrito,
              Qt::AlignHCenter);
    cab.Texto({0, 32, 62, 5}, QStringLiteral("Inscrição CNPJ/CEI              Prefixo"), negrito);
    cab.Texto({64, 32, 40, 5}, QStringLiteral("CEI Vinculado"), negrito);
    cab.Texto({112, 32, 20, 5}, QStringLiteral("Total lido"), negrito, Qt::AlignRight);
    cab.Texto({136, 32, 18, 5}, QStringLiteral("Deslig."), negrito, Qt::AlignRight);
    cab.Texto({157, 32, 18, 5}, QStringLiteral("Duplic."), negrito, Qt::AlignRight);
    cab.Texto({178, 32, 18, 5}, QStringLiteral("Import."), negrito, Qt::AlignRight);
    cab.Linha({0, 38.5}, {kLargura, 38.5}, 0.2);

    auto& detalhe = Detalhe(5);
    detalhe.Dado({0, 0.5, 40, 4.5},
                  [](const Contexto& c) {
                      return Inscricao(c.Campo("CoCgcCeiEstabelecimento"), c.Campo("InInscrEstabelecimento"));
                  },
                  normal);
    detalhe.Dado({50, 0.5, 10, 4.5}, Campo("NuPrefixoEstabelecimento"), normal);
    detalhe.Dado({64, 0.5, 36, 4.5}, [](const Contexto& c) { return CeiVinculado(c.Campo("CoCgcVinculado")); }, normal);
    detalhe.Dado({100, 0.5, 10, 4.5},
                  [](const Contexto& c) {
                      return c.Campo("CoImp").trimmed().isEmpty() ? QString() : QStringLiteral("(%1)").arg(c.Campo("Seq"));
                  },
                  normal);
    detalhe.Dado({112, 0.5, 20, 4.5},
                 [](const Contexto& c) { return QString::number(c.Campo("NuVinculosEstabelecimento").trimmed().toLong()); },
                 normal, Qt::AlignRight);
    detalhe.Dado({136, 0.5, 18, 4.5}, [](const Contexto& c) { return Contagem(c.Campo("NuTotalDesligados")); }, normal,
                  Qt::AlignRight);
    detalhe.Dado({157, 0.5, 18, 4.5}, [](const Contexto& c) { return Contagem(c.Campo("NuTotalDuplicados")); }, normal,
                  Qt::AlignRight);
    detalhe.Dado({178, 0.5, 18, 4.5}, [](const Contexto& c) { return Contagem(c.Campo("NuTotalImportados")); }, normal,
                  Qt::AlignRight);

    auto& notas = Sumario(8);
    notas.Linha({0, 1}, {kLargura, 1}, 0.2);
    notas.Memo({0, 2.5, kLargura, 4.5}, [this](const Contexto&) { return Notas(); }, normal);
}

}  // namespace zovi::relatorios
