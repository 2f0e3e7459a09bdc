#include "TrpProtocolo99.h"

#include "PaginaPadrao.h"
#include "messages/Formatacao.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 190;  // the printable width of an A4 page with 10 mm margins
// The diskette whose block is open; a block about to begin (its header decides to print before
// the page it goes on is opened); whether this page began with the full block.
const QString kDisqueteGrupo = QStringLiteral("disqueteGrupo");
const QString kNovoBloco = QStringLiteral("novoBloco");
const QString kBlocoCompleto = QStringLiteral("blocoCompleto");
// The footer's texts, taken from the diskette's row when its block begins (the footer prints
// after the page's last row has gone).
const QString kRecepcao = QStringLiteral("recepcao");
const QString kHash = QStringLiteral("hash");

QString Core(std::string (*rotina)(const std::string&), const QString& valor) {
    return TextoCore(rotina(valor.trimmed().toStdString()));
}

QString SemZeros(const QString& valor) { return Core(RetiraZerosEsquerda, valor); }

bool Verdadeiro(const QString& logico) { return logico == QLatin1String("True") || logico == QLatin1String("1"); }

QString InscricaoEstabelecimento(const Contexto& c) {
    return TextoCore(FormataInscricao(c.Campo("CoCgcCeiEstabelecimento").toStdString(),
                                      c.Campo("InInscrEstabelecimento").toStdString()));
}

// Caption and value, one beside the other.
void Par(Banda& b, qreal x, qreal y, qreal rotulo, qreal largura, const QString& texto, Expressao valor) {
    b.Texto({x, y, rotulo, 4}, texto, FonteRelatorio(7));
    b.Dado({x + rotulo, y, largura - rotulo, 4}, std::move(valor), FonteRelatorio(8, true));
}

// The first establishment's identification, as the full and the short header show it.
void IdentificacaoEstabelecimento(Banda& b, qreal y) {
    b.Texto({0, y, kLargura, 4.5}, QStringLiteral("Identificação do primeiro estabelecimento do arquivo"),
            FonteRelatorio(9, true));
    b.Retangulo({0, y + 5, kLargura, 18.5}, 0.25);
    y += 6;
    Par(b, 2, y, 18, 120, QStringLiteral("Nome:"), [](const Contexto& c) { return c.Campo("NoRazaoEstabelecimento").trimmed(); });
    Par(b, 124, y, 22, 64, QStringLiteral("CNPJ/CEI:"), InscricaoEstabelecimento);
    Par(b, 2, y + 4, 18, 100, QStringLiteral("Endereço:"), [](const Contexto& c) {
        return c.Campo("EdEstabelecimento").trimmed();
    });
    Par(b, 102, y + 4, 10, 30, QStringLiteral("Nº:"), [](const Contexto& c) { return SemZeros(c.Campo("NuEnderecoEstabelecimento")); });
    Par(b, 132, y + 4, 22, 56, QStringLiteral("Complemento:"), [](const Contexto& c) {
        return c.Campo("TxComplemEstabelecimento").trimmed();
    });
    Par(b, 2, y + 8, 18, 70, QStringLiteral("Bairro:"), [](const Contexto& c) { return c.Campo("NoBairroEstabelecimento").trimmed(); });
    Par(b, 72, y + 8, 10, 30, QStringLiteral("CEP:"), [](const Contexto& c) { return CepProtocolo(c.Campo("CoCepEstabelecimento")); });
    Par(b, 102, y + 8, 18, 70, QStringLiteral("Município:"), [](const Contexto& c) {
        return c.Campo("NoMunicEstabelecimento").trimmed();
    });
    Par(b, 172, y + 8, 8, 16, QStringLiteral("UF:"), [](const Contexto& c) { return c.Campo("SgUf").trimmed(); });
    Par(b, 2, y + 12, 18, 80, QStringLiteral("Telefone:"), [](const Contexto& c) {
        return TelefoneProtocolo(c.Campo("NuDDD"), c.Campo("NuTelefone"));
    });
}

void TitulosColunas(Banda& b, qreal y) {
    const auto f = FonteRelatorio(8, true);
    b.Texto({0, y, 40, 4}, QStringLiteral("CGC/CNPJ/CEI"), f);
    b.Texto({40, y, 10, 4}, QStringLiteral("Pref."), f);
    b.Texto({51, y, 62, 4}, QStringLiteral("Nome/Firma/Razão Social"), f);
    b.Texto({114, y, 34, 4}, QStringLiteral("CEI Vinculado"), f);
    b.Texto({149, y, 22, 4}, QStringLiteral("Data Encerr."), f);
    b.Texto({172, y, 18, 4}, QStringLiteral("Vínculos"), f, Qt::AlignRight);
    b.Linha({0, y + 4.5}, {kLargura, y + 4.5}, 0.2);
}

}  // namespace

QString CepProtocolo(const QString& cep) {
    const auto c = cep.trimmed();
    return c.size() == 8 ? c.left(5) + QLatin1Char('-') + c.right(3) : c;
}

QString TelefoneProtocolo(const QString& ddd, const QString& numero) {
    return QStringLiteral("( %1 ) %2").arg(ddd.trimmed(), Core(FormataTelefone, numero));
}

QString DataProtocolo(const QString& data) {
    const auto d = data.trimmed();
    if (d.isEmpty() || d == QLatin1String("00000000")) return {};
    return d.size() == 8 ? Core(FormataData, d) : d;
}

QString CeiVinculadoProtocolo(const QString& cei) {
    const auto c = cei.trimmed();
    if (c.isEmpty() || SemZeros(c).isEmpty()) return {};
    return TextoCore(FormataInscricao(c.toStdString(), "3"));
}

TrpProtocolo99::TrpProtocolo99(Banco& banco) : Relatorio(QStringLiteral("Protocolo de Entrega em Meio Magnético")) {
    DefinePagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    DefineFonte(std::make_unique<FonteConsulta>(
        banco,
        // Both tables name the establishment's fields alike: the line's own come under names of their own.
        std::vector<std::string>{"select  *, Estabelecimentos.CoCgcCeiEstabelecimento as EsInscricao,",
                                 "Estabelecimentos.NuPrefixoEstabelecimento as EsPrefixo,",
                                 "Estabelecimentos.InInscrEstabelecimento as EsTipoInscricao,",
                                 "Estabelecimentos.NoRazaoEstabelecimento as EsRazao,",
                                 "Estabelecimentos.DaEncerramentoAtividade as EsEncerramento",
                                 "from te8ProId Identificacao, te8ProEs Estabelecimentos",
                                 "where Identificacao.NuDisquete = Estabelecimentos.NuDisquete",
                                 "order by Identificacao.NuDisquete"},
        std::vector<std::string>{"TE8PROID", "TE8PROES"}));
    paginaSemLinhas = false;
    MontaCabecalho();
    MontaGrupo();
    MontaDetalhe();
    MontaRodape();
}

void TrpProtocolo99::MontaCabecalho() {
    auto& cab = CabecalhoPagina(30);
    cab.Texto({0, 0, kLargura, 5}, OrgaoEmissor(), FonteRelatorio(10, true), Qt::AlignHCenter);
    cab.Texto({0, 5, kLargura, 5}, NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao(),
              FonteRelatorio(10), Qt::AlignHCenter);
    cab.Texto({0, 11, kLargura, 7}, QStringLiteral("Protocolo de Entrega em Meio Magnético"), FonteRelatorio(14, true),
              Qt::AlignHCenter);
    cab.Dado({0, 18.5, kLargura, 5},
             [](const Contexto& c) {
                 return Verdadeiro(c.Campo("InRetificacao")) ? QStringLiteral("Declaração Retificação do Ano-Base 2005")
                                                             : QStringLiteral("Declaração do Ano-Base 2005");
             },
             FonteRelatorio(11, true), Qt::AlignHCenter);
    cab.Dado({0, 24, kLargura, 4.5}, [](const Contexto& c) { return QStringLiteral("Crea: ") + c.Campo("CreaProtocolo").trimmed(); },
             FonteRelatorio(10, true), Qt::AlignRight);

    // A later page of the same diskette repeats the first establishment and the column titles.
    auto& curto = Filha(cab, 31);
    IdentificacaoEstabelecimento(curto, 1);
    TitulosColunas(curto, 25.5);
    cab.antesDeImprimir = [](Banda&, Contexto& c, bool&) {
        c.Var(kBlocoCompleto) = c.Var(kNovoBloco);
        c.Var(kNovoBloco).clear();
    };
    curto.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) {
        imprime = c.Var(kBlocoCompleto).isEmpty() && !c.Var(kDisqueteGrupo).isEmpty();
    };
}

void TrpProtocolo99::MontaGrupo() {
    auto& g = CabecalhoGrupo(Campo("NuDisquete"), 80);
    g.novaPagina = true;
    IdentificacaoEstabelecimento(g, 1);

    g.Texto({0, 26, kLargura, 4.5}, QStringLiteral("Identificação do responsável para contato e/ou recebimento do recibo"),
            FonteRelatorio(9, true));
    g.Retangulo({0, 31, kLargura, 18.5}, 0.25);
    Par(g, 2, 32, 18, 120, QStringLiteral("Nome:"), [](const Contexto& c) { return c.Campo("NoResponsavelArquivo").trimmed(); });
    Par(g, 124, 32, 22, 64, QStringLiteral("CNPJ/CEI/CPF:"), [](const Contexto& c) {
        return TextoCore(FormataInscricaoCpf(c.Campo("CoCgcCeiResponsavel").toStdString(),
                                             c.Campo("InInscrResponsavel").toStdString()));
    });
    Par(g, 2, 36, 18, 100, QStringLiteral("Endereço:"), [](const Contexto& c) { return c.Campo("EdLogradouroRespArquivo").trimmed(); });
    Par(g, 102, 36, 10, 30, QStringLiteral("Nº:"), [](const Contexto& c) { return SemZeros(c.Campo("NuLogradouroRespArquivo")); });
    Par(g, 132, 36, 22, 56, QStringLiteral("Complemento:"), [](const Contexto& c) {
        return c.Campo("TxComplementoRespArquivo").trimmed();
    });
    Par(g, 2, 40, 18, 70, QStringLiteral("Bairro:"), [](const Contexto& c) { return c.Campo("NoBairroRespArquivo").trimmed(); });
    Par(g, 72, 40, 10, 30, QStringLiteral("CEP:"), [](const Contexto& c) { return CepProtocolo(c.Campo("CoCepRespArquivo")); });
    Par(g, 102, 40, 18, 70, QStringLiteral("Município:"), [](const Contexto& c) { return c.Campo("NoMunicipioRespArquivo").trimmed(); });
    Par(g, 172, 40, 8, 16, QStringLiteral("UF:"), [](const Contexto& c) { return c.Campo("SgUfRespArquivo").trimmed(); });
    Par(g, 2, 44, 24, 80, QStringLiteral("Telefone/FAX:"), [](const Contexto& c) {
        return TelefoneProtocolo(c.Campo("NuFoneDDD"), c.Campo("NuFoneAssinante"));
    });

    g.Texto({0, 52, 90, 4.5}, QStringLiteral("Recibo será enviado pela ECT"), FonteRelatorio(9, true));
    g.Dado({2, 57, 90, 4},
           [](const Contexto& c) {
               return (Verdadeiro(c.Campo("InReciboParaRespArquivo")) ? QStringLiteral("(  )") : QStringLiteral("(X)")) +
                      QStringLiteral(" Endereço do estabelecimento");
           },
           FonteRelatorio(8));
    g.Dado({2, 61, 90, 4},
           [](const Contexto& c) {
               return (Verdadeiro(c.Campo("InReciboParaRespArquivo")) ? QStringLiteral("(X)") : QStringLiteral("(  )")) +
                      QStringLiteral(" Endereço do responsável");
           },
           FonteRelatorio(8));
    g.Texto({100, 52, 90, 4.5}, QStringLiteral("Totalização do arquivo"), FonteRelatorio(9, true));
    Par(g, 102, 57, 40, 86, QStringLiteral("Total de estabelecimentos"), [](const Contexto& c) {
        return QString::number(TextoParaInteiro(c.Campo("NuEstabelecimentos").toStdString()));
    });
    Par(g, 102, 61, 40, 86, QStringLiteral("Total de vínculos"), [](const Contexto& c) {
        return QString::number(TextoParaInteiro(c.Campo("NuVinculos").toStdString()));
    });

    g.Texto({0, 68, kLargura, 4.5}, QStringLiteral("Relação dos Estabelecimentos contidos no arquivo"),
            FonteRelatorio(9, true));
    TitulosColunas(g, 74);
    g.antesDeImprimir = [](Banda&, Contexto& c, bool&) {
        c.Var(kNovoBloco) = QStringLiteral("1");
        c.Var(kDisqueteGrupo) = c.Campo("NuDisquete");
        c.Var(kRecepcao) = QStringLiteral("Recepção do arquivo: %1/%2/2005")
                               .arg(c.Campo("ddProtocolo").trimmed(), c.Campo("mmProtocolo").trimmed());
        c.Var(kHash) = c.Campo("HashProtocolo").trimmed();
    };
}

void TrpProtocolo99::MontaDetalhe() {
    const auto f = FonteRelatorio(8);
    auto& d = Detalhe(4.4);
    d.Dado({0, 0, 40, 4.2},
           [](const Contexto& c) {
               return TextoCore(FormataInscricao(c.Campo("EsInscricao").toStdString(),
                                                 c.Campo("EsTipoInscricao").toStdString()));
           },
           f);
    d.Dado({40, 0, 10, 4.2}, Campo("EsPrefixo"), f);
    d.Dado({51, 0, 62, 4.2},
           [](const Contexto& c) {
               const auto nome = c.Campo("EsRazao").trimmed();
               return nome.size() > 30 ? nome.left(31) : nome;
           },
           f);
    d.Dado({114, 0, 34, 4.2}, [](const Contexto& c) { return CeiVinculadoProtocolo(c.Campo("CoCgcVinculado")); }, f);
    d.Dado({149, 0, 22, 4.2}, [](const Contexto& c) { return DataProtocolo(c.Campo("EsEncerramento")); }, f);
    d.Dado({172, 0, 18, 4.2},
           [](const Contexto& c) { return QString::number(TextoParaInteiro(c.Campo("NuVinculosEstabelecimento").toStdString())); },
           f, Qt::AlignRight);
}

void TrpProtocolo99::MontaRodape() {
    auto& rod = RodapePagina(24);
    rod.Linha({0, 1}, {kLargura, 1}, 0.2);
    rod.Dado({0, 2, 120, 4.5}, Variavel(kRecepcao), FonteRelatorio(9, true));
    rod.NumeroPagina({120, 2, 70, 4.5}, FonteRelatorio(8), Qt::AlignRight);
    rod.Dado({0, 7, kLargura, 4.5}, Variavel(kHash), FonteRelatorio(9, true, QStringLiteral("Courier New")));
    // The notes, on the pages that began with the full identification block.
    const auto nota = [](const QString& texto) {
        return [texto](const Contexto& c) {
            return c.Var(kBlocoCompleto).isEmpty() ? QString() : texto;
        };
    };
    rod.Dado({0, 13, kLargura, 4},
             nota(QStringLiteral("NOTA:1 - As informações da ZOVI somente serão consideradas efetivamente ENTREGUES "
                                 "após a sua validação no ")),
             FonteRelatorio(7.5));
    rod.Dado({0, 17, kLargura, 4},
             nota(QStringLiteral("processamento,quando será emitido o RECIBO e enviado pela ECT para o endereço "
                                 "indicado nesse arquivo.")),
             FonteRelatorio(7.5));
}

}  // namespace zovi::relatorios
