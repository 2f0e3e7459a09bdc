#include "TrpRelatorios.h"

#include "PaginaPadrao.h"
#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "messages/Formatacao.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 190;  // the printable width of an A4 page with 10 mm margins
constexpr qreal kLinha = 4.2;    // one line of the establishment and employee blocks

QString Core(std::string (*rotina)(const std::string&), const QString& valor) {
    return TextoCore(rotina(valor.toStdString()));
}

QString Inscricao(const QString& inscricao, const QString& tipo) {
    return TextoCore(FormataInscricao(inscricao.toStdString(), tipo.toStdString()));
}

// The linked CEI in its mask, blank when blank or all zeros.
QString CeiVinculado(const QString& cei) {
    if (RetiraZerosEsquerda(cei.trimmed().toStdString()).empty()) return {};
    return Inscricao(cei, QStringLiteral("3"));
}

// "ddmmyyyy" as "dd/mm/yyyy"; blank when blank or all zeros.
QString Data(const QString& data) {
    if (RetiraZerosEsquerda(data.trimmed().toStdString()).empty()) return {};
    return Core(FormataData, data.trimmed());
}

// "ddmm" as "dd/mm"; blank when blank or all zeros.
QString DiaMes(const QString& data) {
    const auto d = data.trimmed();
    if (RetiraZerosEsquerda(d.toStdString()).empty()) return {};
    return d.size() == 4 ? d.left(2) + QLatin1Char('/') + d.mid(2) : d;
}

QString SemZeros(const QString& numero) { return Core(RetiraZerosEsquerda, numero.trimmed()); }

// "(DDD) number", each part only when it is neither blank nor all zeros.
QString Telefone(const QString& ddd, const QString& numero) {
    QString t;
    if (!SemZeros(ddd).isEmpty()) t = QStringLiteral("(%1) ").arg(SemZeros(ddd));
    if (!SemZeros(numero).isEmpty()) t += Core(FormataTelefone, numero.trimmed());
    return t;
}

QString Indicador(const QString& valor) {
    const auto v = valor.trimmed();
    return v == QLatin1String("1") || v == QLatin1String("X") ? QStringLiteral("Sim") : QStringLiteral("Não");
}

QString Porte(const QString& porte) {
    const auto p = porte.trimmed();
    if (p == QLatin1String("1")) return QStringLiteral("Microempresa");
    if (p == QLatin1String("2")) return QStringLiteral("Pequeno Porte");
    if (p == QLatin1String("3")) return QStringLiteral("Outros");
    return {};
}

// "99.99-9" for an economic activity, "999-9" for a legal nature.
QString Mascara(const QString& codigo, const QList<int>& partes, const QString& separadores) {
    QString r;
    int de = 0;
    for (int i = 0; i < partes.size(); ++i) {
        if (i > 0) r += separadores[i - 1];
        r += codigo.mid(de, partes[i]);
        de += partes[i];
    }
    return codigo.trimmed().isEmpty() ? QString() : r;
}

bool TemEmpregado(const Contexto& c) { return !c.Campo("CoPisPasepEmpregado").isEmpty(); }

Expressao Fixo(const QString& campo, QString (*formata)(const QString&)) {
    return [campo, formata](const Contexto& c) { return formata(c.Campo(campo)); };
}

// Places a caption and its value on a line of a band: the caption in bold at x, the value after it.
void Rotulo(Banda& b, qreal x, int linha, qreal largura, const QString& rotulo, Expressao valor) {
    static const auto negrito = FonteRelatorio(7.5, true);
    static const auto normal = FonteRelatorio(7.5);
    const qreal y = 0.8 + linha * kLinha;
    const qreal larguraRotulo = rotulo.size() * 1.5 + 1.5;
    b.Texto({x, y, larguraRotulo, kLinha}, rotulo, negrito);
    b.Dado({x + larguraRotulo, y, largura - larguraRotulo, kLinha}, std::move(valor), normal);
}

}  // namespace

QString NomeOrdem(OrdemEmpregados ordem) {
    switch (ordem) {
        case OrdemEmpregados::Nome: return QStringLiteral("Nome do empregado");
        case OrdemEmpregados::UsoEmpresa: return QStringLiteral("Para uso da empresa");
        default: return QStringLiteral("Código PIS/PASEP");
    }
}

std::string CampoOrdem(OrdemEmpregados ordem) {
    switch (ordem) {
        case OrdemEmpregados::Nome: return "NoEmpregado";
        case OrdemEmpregados::UsoEmpresa: return "TxUsoEmpregado";
        default: return "CoPisPasepEmpregado";
    }
}

QString ValorRelatorio(const QString& centavos) {
    const auto v = centavos.trimmed();
    if (v.isEmpty() || RetiraZerosEsquerda(v.toStdString()).empty()) return {};
    if (v.size() < 3) return v;
    // Leading zeros are not printed, but an amount below one real keeps its "0" before the comma.
    QString inteiro = SemZeros(v.left(v.size() - 2));
    if (inteiro.isEmpty()) inteiro = QStringLiteral("0");
    return inteiro + QLatin1Char(',') + v.right(2);
}

std::optional<std::vector<IntervaloPaginas>> fLeIntervalosPaginas(const std::string& texto) {
    if (texto.empty() || texto.find_first_not_of("0123456789-;") != std::string::npos) return std::nullopt;
    std::vector<IntervaloPaginas> r;
    size_t de = 0;
    while (de <= texto.size()) {
        const size_t fim = std::min(texto.find(';', de), texto.size());
        const std::string item = texto.substr(de, fim - de);
        const size_t traco = item.find('-');
        const std::string primeira = item.substr(0, traco);
        const std::string ultima = traco == std::string::npos ? primeira : item.substr(traco + 1);
        // An empty side is a "-" or ";" not between two digits; a second "-" leaves one that is not a number.
        if (primeira.empty() || ultima.empty() || ultima.find('-') != std::string::npos || primeira.size() > 6 ||
            ultima.size() > 6)
            return std::nullopt;
        const IntervaloPaginas i{std::stoi(primeira), std::stoi(ultima)};
        if (i.de == 0 || i.ate < i.de) return std::nullopt;
        r.push_back(i);
        de = fim + 1;
    }
    return r;
}

QString TrpRelatorios::VersaoPadrao() { return VersaoPrograma(); }

TrpRelatorios::TrpRelatorios(Banco& banco, ParametrosDeclaracao parametros, const QString& versao)
    : Relatorio(QStringLiteral("GDZOVI - Relatórios")), p_(std::move(parametros)) {
    DefinePagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    auto fonte = std::make_unique<FonteConsulta>(
        banco, Sql(), std::vector<std::string>{Banco::NomeTabela(p_.tabelaEstabelecimentos),
                                               Banco::NomeTabela(p_.tabelaEmpregados)});
    auto& q = fonte->Comando();
    q.Parametro("AnBase", p_.anoBase);
    std::vector<std::string> chaves;
    for (const auto& e : p_.estabelecimentos) chaves.push_back(e.inscricao + e.prefixo);
    if (!chaves.empty()) q.ParametroLista("Estabelecimentos", std::move(chaves));
    if (p_.parcial) {
        std::vector<std::string> empregados;
        for (const auto& e : p_.empregados)
            empregados.push_back(e.pisPasep + e.admissao + (e.pisPasep == "00000000000" ? e.nome : std::string()));
        // No employee chosen matches none (a list of one value no row can hold).
        if (empregados.empty()) empregados.emplace_back("-");
        q.ParametroLista("Empregados", std::move(empregados));
    }
    DefineFonte(std::move(fonte));
    paginaSemLinhas = false;
    MontaCabecalho(versao);
    MontaRodape();
    MontaEstabelecimento();
    MontaDetalhe();
}

std::vector<std::string> TrpRelatorios::Sql() const {
    const std::string direcao = p_.descendente ? " DESC" : " ASC";
    std::vector<std::string> sql = {
        "Select E.*, V.*",
        "from " + p_.tabelaEstabelecimentos + " E left join " + p_.tabelaEmpregados + " V",
        "on V.AnBase = E.AnBase and V.CoCgcCeiEstabelecimento = E.CoCgcCeiEstabelecimento",
        "and V.NuPrefixoEstabelecimento = E.NuPrefixoEstabelecimento",
    };
    // A partial report's employees are named in the join, so that an establishment whose chosen
    // employees are all gone still prints its own part.
    if (p_.parcial)
        sql.push_back("and (V.CoPisPasepEmpregado || V.DaAdmissaoEmpregado || case when V.CoPisPasepEmpregado = "
                      "'00000000000' then V.NoEmpregado else '' end) in (:Empregados)");
    sql.push_back("where E.AnBase = :AnBase");
    if (!p_.estabelecimentos.empty())
        sql.push_back("and (E.CoCgcCeiEstabelecimento || E.NuPrefixoEstabelecimento) in (:Estabelecimentos)");
    const std::string campo = CampoOrdem(p_.ordem);
    sql.push_back("order by E.CoCgcCeiEstabelecimento, E.NuPrefixoEstabelecimento, V." + campo + direcao +
                  ", V.CoPisPasepEmpregado" + direcao + ", V.DaAdmissaoEmpregado" + direcao + ", V.NoEmpregado" +
                  direcao);
    return sql;
}

void TrpRelatorios::MontaCabecalho(const QString& versao) {
    auto& cab = CabecalhoPagina(34);
    const QString ano = QString::fromStdString(p_.anoBase);
    cab.Texto({0, 0, 150, 6}, NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao(),
              FonteRelatorio(11, true));
    cab.Texto({140, 0, 50, 6}, QStringLiteral("Ano-Base : ") + ano, FonteRelatorio(11, true), Qt::AlignRight);
    cab.Texto({0, 6.5, kLargura, 5}, LinhaVersao(versao), FonteRelatorio(8));
    cab.Texto({0, 11.5, kLargura, 7},
              p_.completo ? QStringLiteral("Relatório completo do estabelecimento")
                          : QStringLiteral("Relatório resumido do estabelecimento"),
              FonteRelatorio(13, true), Qt::AlignHCenter);
    cab.Texto({0, 18.5, kLargura, 4.5}, QStringLiteral("Classificação : ") + NomeOrdem(p_.ordem) +
                                            (p_.descendente ? QStringLiteral(" (decrescente)") : QString()),
              FonteRelatorio(8));
    // The establishment the page belongs to.
    const auto f = FonteRelatorio(8, true);
    cab.Dado({0, 23.5, kLargura, 4.5},
             [](const Contexto& c) {
                 QString t = QStringLiteral("CNPJ/CEI: %1   Prefixo: %2")
                                 .arg(Inscricao(c.Campo("CoCgcCeiEstabelecimento"), c.Campo("InInscrEstabelecimento")),
                                      c.Campo("NuPrefixoEstabelecimento"));
                 if (const auto cei = CeiVinculado(c.Campo("CoCgcVinculado")); !cei.isEmpty())
                     t += QStringLiteral("   CEI Vinculado: ") + cei;
                 if (const auto uso = c.Campo("TxUsoEstabelecimento").trimmed(); !uso.isEmpty())
                     t += QStringLiteral("   Para uso da empresa: ") + uso;
                 t += QStringLiteral("   Ano das informações: ") + c.Campo("AnBase");
                 if (c.Campo("InEncerramentoAtividade").trimmed() == QLatin1String("1"))
                     t += QStringLiteral("   Encerrou Atividades: ") + Data(c.Campo("DaEncerramentoAtividade"));
                 return t;
             },
             f);
    cab.Linha({0, 30.5}, {kLargura, 30.5}, 0.3);
    cab.Linha({0, 31.3}, {kLargura, 31.3}, 0.3);
}

void TrpRelatorios::MontaRodape() {
    auto& rod = RodapePagina(8);
    rod.Linha({0, 1.5}, {kLargura, 1.5}, 0.2);
    rod.Dado({0, 3, 120, 4}, DataImpressao(), FonteRelatorio(8));
    rod.NumeroPagina({120, 3, 70, 4}, FonteRelatorio(8), Qt::AlignRight);
}

void TrpRelatorios::MontaEstabelecimento() {
    auto estabelecimento = [](const Contexto& c) {
        return c.Campo("CoCgcCeiEstabelecimento") + c.Campo("NuPrefixoEstabelecimento");
    };
    auto& g = CabecalhoGrupo(estabelecimento, 0.8 + 8 * kLinha + 1.5);
    g.novaPagina = true;
    g.Texto({0, 0.8, 60, kLinha}, QStringLiteral("ESTABELECIMENTO"), FonteRelatorio(9, true));
    Rotulo(g, 0, 1, 62, QStringLiteral("CNPJ/CEI:"), [](const Contexto& c) {
        return Inscricao(c.Campo("CoCgcCeiEstabelecimento"), c.Campo("InInscrEstabelecimento"));
    });
    Rotulo(g, 62, 1, 22, QStringLiteral("Prefixo:"), Campo(QStringLiteral("NuPrefixoEstabelecimento")));
    Rotulo(g, 84, 1, 50, QStringLiteral("Para uso da empresa:"), Campo(QStringLiteral("TxUsoEstabelecimento")));
    Rotulo(g, 134, 1, 56, QStringLiteral("CEI Vinculado:"), Fixo(QStringLiteral("CoCgcVinculado"), CeiVinculado));
    Rotulo(g, 0, 2, 150, QStringLiteral("Nome:"), Campo(QStringLiteral("NoRazaoEstabelecimento")));
    Rotulo(g, 150, 2, 40, QStringLiteral("Ano das Informações:"), Campo(QStringLiteral("AnBase")));
    Rotulo(g, 0, 3, 100, QStringLiteral("Endereço:"), Campo(QStringLiteral("EdEstabelecimento")));
    Rotulo(g, 100, 3, 30, QStringLiteral("Número:"), Fixo(QStringLiteral("NuEnderecoEstabelecimento"), SemZeros));
    Rotulo(g, 130, 3, 60, QStringLiteral("Complemento:"), Campo(QStringLiteral("TxComplemEstabelecimento")));
    Rotulo(g, 0, 4, 55, QStringLiteral("Bairro:"), Campo(QStringLiteral("NoBairroEstabelecimento")));
    Rotulo(g, 55, 4, 30, QStringLiteral("CEP:"), [](const Contexto& c) {
        const auto cep = c.Campo("CoCepEstabelecimento").trimmed();
        return cep.size() == 8 ? cep.left(5) + QLatin1Char('-') + cep.mid(5) : cep;
    });
    Rotulo(g, 85, 4, 90, QStringLiteral("Município:"), [](const Contexto& c) {
        return Mascara(c.Campo("CoMunicipio"), {2, 5}, QStringLiteral("-")) + QStringLiteral(" ") +
               c.Campo("NoMunicEstabelecimento").trimmed();
    });
    Rotulo(g, 175, 4, 15, QStringLiteral("UF:"), Campo(QStringLiteral("SgUf")));
    Rotulo(g, 0, 5, 50, QStringLiteral("Telefone:"),
           [](const Contexto& c) { return Telefone(c.Campo("NuDDD"), c.Campo("NuTelefone")); });
    Rotulo(g, 50, 5, 48, QStringLiteral("Atividade Econômica:"), [](const Contexto& c) {
        return Mascara(c.Campo("CoCnae"), {2, 2, 1}, QStringLiteral(".-"));
    });
    Rotulo(g, 98, 5, 45, QStringLiteral("Natureza Jurídica:"), [](const Contexto& c) {
        return Mascara(c.Campo("CoNaturezaJuridica"), {3, 1}, QStringLiteral("-"));
    });
    Rotulo(g, 143, 5, 47, QStringLiteral("Data Base:"), [](const Contexto& c) {
        return TextoCore(NomeMes(c.Campo("MeDataBase").toStdString()));
    });
    Rotulo(g, 0, 6, 40, QStringLiteral("Optante Simples:"), Fixo(QStringLiteral("InOptanteSimples"), Indicador));
    Rotulo(g, 40, 6, 50, QStringLiteral("Porte:"), Fixo(QStringLiteral("InPorte"), Porte));
    Rotulo(g, 90, 6, 100, QStringLiteral("Encerrou Atividades:"), [](const Contexto& c) {
        return c.Campo("InEncerramentoAtividade").trimmed() == QLatin1String("1")
                   ? QStringLiteral("Sim, em ") + Data(c.Campo("DaEncerramentoAtividade"))
                   : QStringLiteral("Não");
    });
    Rotulo(g, 0, 7, kLargura, QStringLiteral("PAT:"), [](const Contexto& c) {
        if (c.Campo("InParticipaPAT").trimmed() != QLatin1String("1")) return QStringLiteral("Não participa");
        return QStringLiteral("Participa - vínculos até 5 SM: %1, acima de 5 SM: %2 - Adm. cozinha %3%, serviço "
                              "próprio %4%, refeição convênio %5%, refeição transportada %6%, cesta %7%, "
                              "alimentação convênio %8%")
            .arg(SemZeros(c.Campo("NuVinculoPatMenor5")), SemZeros(c.Campo("NuVinculoPatMaior5")),
                 SemZeros(c.Campo("PoAdmCozinha")), SemZeros(c.Campo("PoServicoProprio")),
                 SemZeros(c.Campo("PoRefeicaoConvenio")), SemZeros(c.Campo("PoRefeicaoTransportadora")),
                 SemZeros(c.Campo("PoCestaAlimento")), SemZeros(c.Campo("PoAlimentacaoConvenio")));
    });

    // The employees' part, only for an establishment that has employees; its column titles
    // print again on a page that goes on with the establishment's employees.
    auto& vinculos = CabecalhoGrupo(estabelecimento, 0.8 + 2 * kLinha + 1.2);
    vinculos.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) { imprime = TemEmpregado(c); };
    vinculos.repeteNaContinuacao = TemEmpregado;
    vinculos.Linha({0, 0.4}, {kLargura, 0.4}, 0.2);
    vinculos.Dado({0, 0.8, 30, kLinha}, [](const Contexto& c) {
        return c.Continuacao() ? QStringLiteral("VÍNCULOS (continuação)") : QStringLiteral("VÍNCULOS");
    }, FonteRelatorio(9, true));
    Rotulo(vinculos, 45, 0, 60, QStringLiteral("Total de Vínculos:"),
           Fixo(QStringLiteral("NuVinculosEstabelecimento"), SemZeros));
    const auto titulo = FonteRelatorio(7.5, true);
    const qreal y = 0.8 + kLinha;
    vinculos.Texto({0, y, 25, kLinha}, QStringLiteral("Cód. PIS/PASEP"), titulo);
    vinculos.Texto({27, y, 70, kLinha}, QStringLiteral("Nome do empregado/servidor"), titulo);
    vinculos.Texto({100, y, 35, kLinha}, QStringLiteral("Para uso da empresa"), titulo);
    vinculos.Texto({140, y, 30, kLinha}, QStringLiteral("Data de Admissão"), titulo);
    vinculos.Linha({0, y + kLinha + 0.6}, {kLargura, y + kLinha + 0.6}, 0.2);
}

void TrpRelatorios::MontaDetalhe() {
    const auto normal = FonteRelatorio(7.5);
    const auto negrito = FonteRelatorio(7.5, true);
    // The complete form: every field of the employee on the lines below the first, in the same
    // band, so that an employee never splits over two pages.
    auto& d = Detalhe(p_.completo ? 8 * kLinha + 2.6 : kLinha + 0.6);
    d.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) { imprime = TemEmpregado(c); };
    const auto fonteLinha = p_.completo ? negrito : normal;
    d.Dado({0, 0.3, 25, kLinha}, Fixo(QStringLiteral("CoPisPasepEmpregado"), [](const QString& pis) {
        return pis.size() == 11 ? pis.left(3) + '.' + pis.mid(3, 5) + '.' + pis.mid(8, 2) + '.' + pis.mid(10) : pis;
    }), fonteLinha);
    d.Dado({27, 0.3, 70, kLinha}, Campo(QStringLiteral("NoEmpregado")), fonteLinha);
    d.Dado({100, 0.3, 38, kLinha}, Campo(QStringLiteral("TxUsoEmpregado")), fonteLinha);
    d.Dado({140, 0.3, 30, kLinha}, Fixo(QStringLiteral("DaAdmissaoEmpregado"), Data), fonteLinha);
    if (!p_.completo) return;

    auto& f = d;
    Rotulo(f, 4, 1, 38, QStringLiteral("Nascimento:"), Fixo(QStringLiteral("DaNascimentoEmpregado"), Data));
    Rotulo(f, 42, 1, 30, QStringLiteral("Nacionalidade:"), Campo(QStringLiteral("CoNacionalidade")));
    Rotulo(f, 72, 1, 28, QStringLiteral("Ano chegada:"), Fixo(QStringLiteral("AnChegadaEmpregado"), SemZeros));
    Rotulo(f, 100, 1, 24, QStringLiteral("Instrução:"), Campo(QStringLiteral("CoInstrucao")));
    Rotulo(f, 124, 1, 34, QStringLiteral("CTPS:"), [](const Contexto& c) {
        const auto ctps = c.Campo("NuCartTrabEmpregado");
        return ctps == QLatin1String("00000000000") ? QString() : ctps;
    });
    Rotulo(f, 158, 1, 32, QStringLiteral("CPF:"), [](const Contexto& c) {
        return Inscricao(c.Campo("CoCpfEmpregado"), QStringLiteral("4"));
    });
    Rotulo(f, 4, 2, 30, QStringLiteral("Tipo admissão:"), Campo(QStringLiteral("CoTipoAdmissao")));
    Rotulo(f, 34, 2, 45, QStringLiteral("Salário contratual:"),
           Fixo(QStringLiteral("VaSalContratualEmpregado"), ValorRelatorio));
    Rotulo(f, 79, 2, 27, QStringLiteral("Tipo salário:"), Campo(QStringLiteral("CoTipoSalarioContratual")));
    Rotulo(f, 106, 2, 22, QStringLiteral("Horas:"), Campo(QStringLiteral("HoSemanaisEmpregado")));
    Rotulo(f, 128, 2, 28, QStringLiteral("CBO:"), Campo(QStringLiteral("CoCbo")));
    Rotulo(f, 156, 2, 34, QStringLiteral("Vínculo:"), Campo(QStringLiteral("CoVinculo")));
    Rotulo(f, 4, 3, 50, QStringLiteral("Desligamento:"), [](const Contexto& c) {
        const auto causa = c.Campo("CoCausaDesligamento").trimmed();
        if (causa.isEmpty() || causa == QLatin1String("00")) return QString();
        return causa + QStringLiteral(" em ") + DiaMes(c.Campo("DaDesligamentoEmpregado"));
    });
    Rotulo(f, 54, 3, 18, QStringLiteral("Raça:"), Campo(QStringLiteral("CoTipoRaca")));
    Rotulo(f, 72, 3, 28, QStringLiteral("Deficiente:"), Fixo(QStringLiteral("InDeficienteFisico"), Indicador));
    Rotulo(f, 100, 3, 24, QStringLiteral("Alvará:"), Fixo(QStringLiteral("InAlvaraEmpregado"), Indicador));
    Rotulo(f, 124, 3, 46, QStringLiteral("Aviso prévio:"),
           Fixo(QStringLiteral("VaAvisoPrevioEmpregado"), ValorRelatorio));
    Rotulo(f, 170, 3, 20, QStringLiteral("Sexo:"), [](const Contexto& c) {
        const auto s = c.Campo("InSexo").trimmed();
        return s == QLatin1String("1") ? QStringLiteral("M") : s == QLatin1String("2") ? QStringLiteral("F") : QString();
    });
    static const char* const kMeses[12] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                           "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    for (int m = 0; m < 12; ++m)
        Rotulo(f, 4 + (m % 6) * 31, 4 + m / 6, 31, QString::fromLatin1(kMeses[m]) + QLatin1Char(':'),
               Fixo(QString::fromLatin1(kCamposRemuneracao[m]), ValorRelatorio));
    Rotulo(f, 4, 6, 93, QStringLiteral("13º adiantamento:"), [](const Contexto& c) {
        const auto v = ValorRelatorio(c.Campo("Va13AdiantamentoEmpregado"));
        return v.isEmpty() ? v : v + QStringLiteral(" (mês ") + c.Campo("Me13AdiantamentoEmpregado") + ')';
    });
    Rotulo(f, 97, 6, 93, QStringLiteral("13º parcela final:"), [](const Contexto& c) {
        const auto v = ValorRelatorio(c.Campo("Va13ParcelaFinalEmpregado"));
        return v.isEmpty() ? v : v + QStringLiteral(" (mês ") + c.Campo("Me13ParcelaFinalEmpregado") + ')';
    });
    static const char* const kAfastamentos[3][3] = {
        {"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
        {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
        {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};
    for (int a = 0; a < 3; ++a)
        Rotulo(f, 4 + a * 52, 7, 52, QStringLiteral("Afastamento %1:").arg(a + 1), [a](const Contexto& c) {
            const auto motivo = c.Campo(QString::fromLatin1(kAfastamentos[a][0])).trimmed();
            if (motivo.isEmpty() || motivo == QLatin1String("00")) return QString();
            return motivo + QStringLiteral(" de ") + DiaMes(c.Campo(QString::fromLatin1(kAfastamentos[a][1]))) +
                   QStringLiteral(" a ") + DiaMes(c.Campo(QString::fromLatin1(kAfastamentos[a][2])));
        });
    Rotulo(f, 160, 7, 30, QStringLiteral("Total dias:"), Fixo(QStringLiteral("QtDiasAfas"), SemZeros));
    f.Linha({0, 8 * kLinha + 2}, {kLargura, 8 * kLinha + 2}, 0.1);
}

}  // namespace zovi::relatorios
