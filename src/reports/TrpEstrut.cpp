#include "TrpEstrut.h"

#include "PaginaPadrao.h"
#include "messages/Catalogo.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 195.9;  // letter paper less 10 mm on each side

}  // namespace

QString TrpEstrut::VersaoPrograma() { return relatorios::VersaoPrograma(); }

QString TrpEstrut::LinhaPosicao(const QString& tipoCampo, const QString& posicaoInicial, const QString& conteudo) {
    const QString t = tipoCampo.trimmed();
    if (t.isEmpty()) return {};
    static const QMap<QString, QString> kTextos = {
        {"0", "Posição 1 a 6 = "},   {"1", "Posição 23 = "},    {"2", "Posição 278 = "},
        {"3", "Posição 24 a 29 = "}, {"4", "Posição 30 a 35 = "}, {"6", "Total registro tipo 1 encontrado = "},
        {"7", "Total registro tipo 2 encontrado = "}, {"8", "Posição 07 a 20 = "}, {"9", "Tamanho esperado: "},
        {"A", "Tamanho encontrado: "}};
    if (t == QLatin1String("5")) return QStringLiteral("Posição ") + posicaoInicial.trimmed() + QStringLiteral(" = ") + conteudo;
    return kTextos.contains(t) ? kTextos.value(t) + conteudo : QString();
}

TrpEstrut::TrpEstrut(Banco& banco, const CatalogoMensagens& catalogo, const QString& versao)
    : Relatorio(QStringLiteral("Relatório de erro de estrutura")) {
    DefinePagina(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    DefineFonte(std::make_unique<FonteConsulta>(
        banco, std::vector<std::string>{"select *", "from te8stru", "order by sequencia"},
        std::vector<std::string>{"TE8STRU"}));

    auto& cab = CabecalhoPagina(26);
    cab.Texto({0, 0, 150, 6}, NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao(), FonteRelatorio(11, true));
    cab.Texto({146, 0, 50, 6}, QStringLiteral("Ano-Base : 2005"), FonteRelatorio(11, true), Qt::AlignRight);
    cab.Texto({0, 6.5, kLargura, 5}, LinhaVersao(versao), FonteRelatorio(8));
    cab.Texto({0, 12, kLargura, 8}, QStringLiteral("Relatório de erro de estrutura"), FonteRelatorio(14, true),
              Qt::AlignHCenter);
    cab.Linha({0, 23}, {kLargura, 23}, 0.3);

    const auto normal = FonteRelatorio(10);
    const auto negrito = FonteRelatorio(10, true);
    auto& erro = CabecalhoGrupo(Campo("CoMsg"), 9);
    erro.Texto({0, 2, 14, 5}, QStringLiteral("Erro :"), negrito);
    erro.Memo({14, 2, kLargura - 14, 5},
              [cat = &catalogo](const Contexto& c) {
                  const auto* m = cat->Busca(c.Campo("CoMsg").trimmed().toStdString());
                  return m ? TextoCore(m->texto) : c.Campo("CoMsg").trimmed();
              },
              negrito);

    auto& sequencia = CabecalhoGrupo(Campo("Sequencia"), 6);
    sequencia.Dado({6, 1, 60, 5}, [](const Contexto& c) { return QStringLiteral("Sequência = ") + c.Campo("Sequencia"); },
                   normal);
    sequencia.Dado({66, 1, kLargura - 66, 5},
                   [](const Contexto& c) {
                       const QString ip = c.Campo("InscricaoPrefixo");
                       if (ip.trimmed().isEmpty()) return QString();
                       return QStringLiteral("Inscrição/prefixo do estabelecimento = ") + ip.left(14) + QLatin1Char('/') +
                              ip.right(2);
                   },
                   normal);

    auto& detalhe = Detalhe(5);
    detalhe.Dado({12, 0, kLargura - 12, 5},
                  [](const Contexto& c) {
                      return LinhaPosicao(c.Campo("TipoCampo"), c.Campo("PosicaoInicial"), c.Campo("Conteudo"));
                  },
                  normal);

    auto& resumo = Sumario(16);
    resumo.Texto({0, 4, kLargura, 5},
                 QStringLiteral("Será listada apenas a primeira ocorrência. Verifique a estrutura do arquivo conforme "
                                "especificado na cartela."),
                 FonteRelatorio(9));
    resumo.Texto({0, 9.5, kLargura, 5},
                 QStringLiteral("Para utilizar este relatório tenha em mãos a cartela com a especificação dos registros "
                                "do arquivo ZOVI."),
                 FonteRelatorio(9));

    auto& rod = RodapePagina(8);
    rod.Linha({0, 1.5}, {kLargura, 1.5}, 0.2);
    rod.Dado({0, 3, 120, 4}, DataImpressao(), FonteRelatorio(8));
    rod.NumeroPagina({120, 3, kLargura - 120, 4}, FonteRelatorio(8), Qt::AlignRight);
}

}  // namespace zovi::relatorios
