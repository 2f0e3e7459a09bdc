#include "TrpEtiquetas.h"

#include "PaginaPadrao.h"
#include "messages/Formatacao.h"

namespace zovi::relatorios {

namespace {

// The label's rectangle inside its band, and the texts' left edge inside it (mm).
constexpr qreal kEsquerda = 9.0, kTopo = 4.2, kLargura = 59.0, kAltura = 53.2;
constexpr qreal kTexto = kEsquerda + 1.5;
constexpr qreal kLinha = 4.6;

QRectF Linha(int n, qreal deslocamento = 0, qreal largura = kLargura - 3) {
    return {kTexto + deslocamento, kTopo + 1.4 + n * kLinha, largura - deslocamento, kLinha};
}

QString Numero(const QString& contagem) { return QString::number(TextoParaInteiro(contagem.toStdString())); }

// "( DDD )" when there is a DDD, then the number, with no blank between.
QString TelefoneEtiqueta(const QString& ddd, const QString& numero) {
    QString t;
    if (!ddd.trimmed().isEmpty()) t = QStringLiteral("( %1 )").arg(ddd.trimmed());
    return t + numero.trimmed();
}

}  // namespace

TrpEtiquetas::TrpEtiquetas(Banco& banco) : Relatorio(QStringLiteral("Etiquetas dos disquetes")) {
    DefinePagina(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    DefineFonte(std::make_unique<FonteConsulta>(banco, std::vector<std::string>{"Select * from te8ProID"},
                                                std::vector<std::string>{"TE8PROID"}));
    paginaSemLinhas = false;

    const auto normal = FonteRelatorio(7);
    const auto negrito = FonteRelatorio(7, true);
    auto& e = Detalhe(62.2);
    e.Retangulo({kEsquerda, kTopo, kLargura, kAltura}, 0.25);
    e.Texto(Linha(0), NomeCompletoDeclaracao(), negrito);
    e.Dado(Linha(1),
           [](const Contexto& c) {
               const auto r = c.Campo("InRetificacao");
               return r == QLatin1String("True") || r == QLatin1String("1") ? QStringLiteral("Ano-Base 2005,V.1(Retif.)")
                                                                            : QStringLiteral("Ano-Base 2005,V.1.");
           },
           negrito);
    e.Texto(Linha(2), QStringLiteral("Inscrição do 1o. estabelecimento do arquivo:"), normal);
    e.Dado(Linha(3, 0, 36),
           [](const Contexto& c) {
               return TextoCore(FormataInscricao(c.Campo("CoCgcCeiEstabelecimento").toStdString(),
                                                 c.Campo("InInscrEstabelecimento").toStdString()));
           },
           negrito);
    e.Texto(Linha(3, 38, 47), QStringLiteral("Disco:"), negrito);
    e.Dado(Linha(3, 47), [](const Contexto& c) { return c.Campo("NuDisquete").trimmed(); }, negrito);
    e.Texto(Linha(4), QStringLiteral("Razão Social do 1o. estabelecimento do arquivo:"), normal);
    e.Dado(Linha(5), [](const Contexto& c) { return c.Campo("NoRazaoEstabelecimento").left(30).trimmed(); }, negrito);
    e.Dado(Linha(6),
           [](const Contexto& c) {
               return QStringLiteral("Quant.Estabelecimentos do arquivo: ") + Numero(c.Campo("NuEstabelecimentos"));
           },
           normal);
    e.Dado(Linha(7),
           [](const Contexto& c) { return QStringLiteral("Quant.Vínculos do arquivo: ") + Numero(c.Campo("NuVinculos")); },
           normal);
    e.Dado(Linha(8),
           [](const Contexto& c) {
               return QStringLiteral("Nome p/Contato: ") + c.Campo("NoResponsavelArquivo").left(20).trimmed();
           },
           normal);
    e.Dado(Linha(9),
           [](const Contexto& c) {
               return QStringLiteral("Telefone p/Contato: ") +
                      TelefoneEtiqueta(c.Campo("NuFoneDDD"), c.Campo("NuFoneAssinante"));
           },
           normal);
    e.Texto(Linha(10), QStringLiteral("E - Mail :"), negrito);
    e.Dado(Linha(10, 12), [](const Contexto& c) { return c.Campo("TxEMailRespArquivo").trimmed(); }, normal);
}

}  // namespace zovi::relatorios
