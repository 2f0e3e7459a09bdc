#include "TrpCartela.h"

#include <cassert>

#include "PaginaPadrao.h"
#include "declfile/Leiaute.h"

namespace zovi::relatorios {

namespace {

constexpr qreal kLargura = 185;  // A4 less 20 mm on the left and 5 mm on the right
constexpr qreal kPasso = 3.9;    // one line of the sheet
constexpr qreal kColunaTipo = 26, kColunaDescricao = 50, kRecuoValor = 6;

// A field of the sheet: its description and, for coded fields, its values.
struct CampoCartela {
    QString tipo;
    QString descricao;
    QStringList valores = {};
};

// Fills a section's band from the top down.
class Secao {
public:
    explicit Secao(Banda& banda) : banda_(banda) {}
    void Linha(const QString& texto, const QFont& fonte, qreal x = 0, qreal passo = kPasso) {
        banda_.Texto({x, y_, kLargura - x, passo}, texto, fonte);
        Avanca(passo);
    }
    void Regua() {
        banda_.Linha({0, y_ + 1}, {kLargura, y_ + 1}, 0.25);
        Avanca(2.5);
    }
    void Cabecalho(const QString& titulo) {
        Linha(titulo, FonteRelatorio(11, true), 0, 6.5);
        const auto negrito = FonteRelatorio(8, true);
        banda_.Texto({2, y_, 22, kPasso}, QStringLiteral("Posição"), negrito);
        banda_.Texto({kColunaTipo, y_, 22, kPasso}, QStringLiteral("Tipo"), negrito);
        banda_.Texto({kColunaDescricao, y_, kLargura - kColunaDescricao, kPasso}, QStringLiteral("Descrição"), negrito);
        Avanca(kPasso);
        Regua();
    }
    void Campo(int de, int ate, const CampoCartela& c) {
        const auto fonte = FonteRelatorio(8);
        banda_.Texto({2, y_, 22, kPasso}, QStringLiteral("%1 a %2").arg(de, 3, 10, QLatin1Char('0')).arg(ate, 3, 10, QLatin1Char('0')),
                     fonte);
        banda_.Texto({kColunaTipo, y_, 22, kPasso}, c.tipo, fonte);
        banda_.Texto({kColunaDescricao, y_, kLargura - kColunaDescricao, kPasso}, c.descricao, fonte);
        Avanca(kPasso);
        for (const auto& v : c.valores) Linha(v, fonte, kColunaDescricao + kRecuoValor);
    }
    void Espaco(qreal mm) { Avanca(mm); }

private:
    void Avanca(qreal mm) {
        y_ += mm;
        banda_.altura = y_;
    }
    Banda& banda_;
    qreal y_ = 0;
};

const QString N = QStringLiteral("Número");
const QString A = QStringLiteral("Alfanum");
const QString L = QStringLiteral("Alfabético");

// Types 0 and 9 are shown as the sheet has always shown them, positions included: their
// last positions read "espaços" although the writer keeps control data in part of them.
struct CampoFixo {
    int de, ate;
    CampoCartela campo;
};

std::vector<CampoFixo> CamposTipoZero() {
    return {
        {1, 6, {N, QStringLiteral("Seqüencial do registro no arquivo")}},
        {7, 20, {N, QStringLiteral("Inscrição CNPJ/CEI do primeiro estabelecimento do arquivo")}},
        {21, 22, {A, QStringLiteral("Prefixo do primeiro estabelecimento do arquivo")}},
        {23, 23, {N, QStringLiteral("Tipo do registro = 0")}},
        {24, 24, {N, QStringLiteral("Indicador p/envio de correspondência"),
                  {QStringLiteral("1 - a correspondência será enviado pelo correio para o endereço do responsável"),
                   QStringLiteral("2 - a correspondência será enviado pelo correio para o endereço do estabelecimento")}}},
        {25, 38, {N, QStringLiteral("Inscrição CNPJ/CEI/CPF do responsável")}},
        {39, 39, {N, QStringLiteral("Tipo de Inscrição do responsável"),
                  {QStringLiteral("1 - CNPJ"), QStringLiteral("3 - CEI"), QStringLiteral("4 - CPF")}}},
        {40, 79, {A, QStringLiteral("Nome/Firma/Razão Social do responsável")}},
        {80, 119, {A, QStringLiteral("Endereço do responsável")}},
        {120, 125, {N, QStringLiteral("Número")}},
        {126, 146, {A, QStringLiteral("Complemento")}},
        {147, 165, {A, QStringLiteral("Bairro")}},
        {166, 173, {N, QStringLiteral("CEP")}},
        {174, 180, {N, QStringLiteral("Código do Município")}},
        {181, 210, {A, QStringLiteral("Nome do Município")}},
        {211, 212, {L, QStringLiteral("Sigla da UF")}},
        {213, 214, {N, QStringLiteral("Telefone/FAX para contato (Código de Acesso DDD)  (1)")}},
        {215, 222, {N, QStringLiteral("Telefone/FAX para contato (Número do telefone/FAX) (1)")}},
        {223, 223, {N, QStringLiteral("Indicador de retificação da declaração"),
                    {QStringLiteral("1 - este arquivo retifica a declaração dos estabelecimentos presentes no arquivo"),
                     QStringLiteral("      e que foram entregues anteriormente"),
                     QStringLiteral("2 - a declaração não é retificação (é primeira entrega)")}}},
        {224, 231, {N, QStringLiteral("Data da retificação dos estabelecimentos relacionados abaixo (ddmmaaaa)")}},
        {232, 239, {N, QStringLiteral("Data de geração do arquivo")}},
        {240, 284, {A, QStringLiteral("E-mail do Responsável")}},
        {285, 523, {A, QStringLiteral("espaços")}},
    };
}

std::vector<CampoFixo> CamposTipoNove() {
    return {
        {1, 6, {N, QStringLiteral("Seqüencial do registro no arquivo")}},
        {7, 20, {N, QStringLiteral("Inscrição CNPJ/CEI do último estabelecimento do arquivo")}},
        {21, 22, {A, QStringLiteral("Prefixo do último estabelecimento do arquivo")}},
        {23, 23, {N, QStringLiteral("Tipo do registro = 9")}},
        {24, 29, {N, QStringLiteral("Total de registro tipo 1 no arquivo")}},
        {30, 35, {N, QStringLiteral("Total de registro tipo 2 no arquivo")}},
        {36, 523, {A, QStringLiteral("espaços")}},
    };
}

QStringList Valores(std::initializer_list<const char16_t*> v) {
    QStringList l;
    for (const auto* t : v) l << QString::fromUtf16(t);
    return l;
}

// Types 1 and 2: one description per field of the file's layout, in its order
// (type 1 shows positions 279-292 as two rows, the zeros and the CEI).
std::vector<CampoCartela> CamposTipoUm() {
    return {
        {N, QStringLiteral("Seqüencial do registro no arquivo")},
        {N, QStringLiteral("Inscrição CNPJ/CEI do estabelecimento")},
        {A, QStringLiteral("Prefixo do estabelecimento")},
        {N, QStringLiteral("Tipo do registro = 1")},
        {A, QStringLiteral("Nome/Firma/Razão Social")},
        {A, QStringLiteral("Endereço")},
        {N, QStringLiteral("Número")},
        {A, QStringLiteral("Complemento")},
        {A, QStringLiteral("Bairro")},
        {N, QStringLiteral("CEP")},
        {N, QStringLiteral("Código do Município")},
        {A, QStringLiteral("Nome do Município")},
        {L, QStringLiteral("Sigla da UF")},
        {N, QStringLiteral("Telefone (Código DDD) (1)")},
        {N, QStringLiteral("Telefone (Número) (1)")},
        {A, QStringLiteral("E-mail do Estabelecimento")},
        {N, QStringLiteral("Atividade Econômica (CNAE 1.0)")},
        {N, QStringLiteral("Natureza Jurídica")},
        {N, QStringLiteral("Número de Proprietários")},
        {N, QStringLiteral("Data-base")},
        {N, QStringLiteral("Tipo de Inscrição do estabelecimento"), Valores({u"1 - CNPJ", u"3 - CEI"})},
        {N, QStringLiteral("Tipo de Zovi"),
         Valores({u"0 - estabelecimento com empregados", u"1 - estabelecimento sem empregados"})},
        {N, QStringLiteral("Zeros")},
        {N, QStringLiteral("Matrícula CEI vinculada a uma inscrição CNPJ (2)")},
        {N, QStringLiteral("2005")},
        {N, QStringLiteral("Indicador de Porte da Empresa"),
         Valores({u"1 - Microempresa", u"2 - Empresa de Pequeno Porte",
                  u"3 - Empresa/orgão não classificados nos ítens anteriores"})},
        {N, QStringLiteral("Indicador de Optante pelo simples"),
         Valores({u"1 - o estabelecimento é optante pelo simples", u"2 - o estabelecimento não é optante pelo simples"})},
        {N, QStringLiteral("Indicador de participação no PAT( Programa de Alimentação do Trabalhador )"),
         Valores({u"1 - o estabelecimento participa do PAT", u"2 - o estabelecimento não participa do PAT"})},
        {N, QStringLiteral("Vinculos que participam do PAT que recebem salários até 5 salários mínimos")},
        {N, QStringLiteral("Vinculos que participam do PAT que recebem salários acima de 5 salários mínimos")},
        {N, QStringLiteral("Porcentagem de serviço próprio (%)")},
        {N, QStringLiteral("Porcentagem de administração de cozinhas (%)")},
        {N, QStringLiteral("Porcentagem de refeição-convênio (%)")},
        {N, QStringLiteral("Porcentagem de refeições transportadas (%)")},
        {N, QStringLiteral("Porcentagem de cesta alimento (%)")},
        {N, QStringLiteral("Porcentagem de alimentação-convênio (%)")},
        {N, QStringLiteral("Indicador de Encerramento das Atividades"),
         Valores({u"1 - o estabelecimento encerrou suas atividades", u"2 - o estabelecimento não encerrou suas atividades"})},
        {N, QStringLiteral("Data de Encerramento das Atividades")},
        {N, QStringLiteral("CNPJ - contribuição associativa (patronal)")},
        {N, QStringLiteral("Valor - contribuição associativa (patronal)")},
        {N, QStringLiteral("CNPJ - contribuição sindical (patronal)")},
        {N, QStringLiteral("Valor - contribuição sindical (patronal)")},
        {N, QStringLiteral("CNPJ - contribuição assistencial (patronal)")},
        {N, QStringLiteral("Valor - contribuição assistencial (patronal)")},
        {N, QStringLiteral("CNPJ - contribuição confederativa (patronal)")},
        {N, QStringLiteral("Valor - contribuição confederativa (patronal)")},
        {N, QStringLiteral("Esteve em atividade no ano-base"), Valores({u"1 - Sim", u"2 - Não"})},
        {A, QStringLiteral("espaços")},
        {A, QStringLiteral("Informação de uso exclusivo da empresa")},
    };
}

std::vector<CampoCartela> CamposTipoDois() {
    std::vector<CampoCartela> c = {
        {N, QStringLiteral("Seqüencial do registro no arquivo")},
        {N, QStringLiteral("Inscrição CNPJ/CEI do estabelecimento")},
        {A, QStringLiteral("Prefixo do estabelecimento")},
        {N, QStringLiteral("Tipo do registro = 2")},
        {N, QStringLiteral("Código PIS/PASEP")},
        {A, QStringLiteral("Nome do Empregado")},
        {N, QStringLiteral("Data de Nascimento (ddmmaaaa)")},
        {N, QStringLiteral("Nacionalidade")},
        {N, QStringLiteral("Ano de Chegada no país (aaaa)")},
        {N, QStringLiteral("Grau de Instrução")},
        {N, QStringLiteral("CPF")},
        {A, QStringLiteral("Carteira de Trabalho (número e série)")},
        {N, QStringLiteral("Data de Admissão/Data de Transferência (ddmmaaaa)")},
        {N, QStringLiteral("Tipo de Admissão")},
        {N, QStringLiteral("Salário Contratual (valor com centavos)")},
        {N, QStringLiteral("Tipo de Salário Contratual")},
        {N, QStringLiteral("Horas Semanais")},
        {A, QStringLiteral("CBO")},
        {N, QStringLiteral("Vínculo")},
        {N, QStringLiteral("Código do desligamento")},
        {N, QStringLiteral("Data do desligamento (ddmm)")},
    };
    const QStringList meses = {QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
                               QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
                               QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
                               QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
    for (const auto& m : meses) c.push_back({N, QStringLiteral("Remuneração de %1(Valor com centavos)").arg(m)});
    c.insert(c.end(), {
        {N, QStringLiteral("Remuneração de 13º Salário parcela Adiantamento (valor com centavos)")},
        {N, QStringLiteral("Mês de pagamento do 13º Salário parcela Adiantamento")},
        {N, QStringLiteral("Remuneração de 13º Salário parcela Final(Valor com centavos)")},
        {N, QStringLiteral("Mês de pagamento do 13º Salário parcela Final")},
        {A, QStringLiteral("Raça/Cor")},
        {N, QStringLiteral("Indicador de Deficiência Física"),
         Valores({u"1 - o funcionário é Portador de Deficiência Física", u"2 - o funcionário não possui Deficiência Física"})},
        {N, QStringLiteral("Indicador de Alvará"),
         Valores({u"1 - o funcionário tem alvará judicial para trabalhar",
                  u"2 - o funcionário não tem alvará judicial para trabalhar"})},
        {N, QStringLiteral("Aviso Prévio Indenizado(Valor com centavos)")},
        {N, QStringLiteral("Sexo"), Valores({u"1 - sexo masculino", u"2 - sexo feminino"})},
    });
    for (const auto& ordem : {QStringLiteral("Primeiro"), QStringLiteral("Segundo"), QStringLiteral("Terceiro")}) {
        c.push_back({N, QStringLiteral("Motivo do %1 Afastamento").arg(ordem)});
        c.push_back({N, QStringLiteral("Data Inicio do %1 Afastamento").arg(ordem)});
        c.push_back({N, QStringLiteral("Data Final do %1 Afastamento").arg(ordem)});
    }
    c.insert(c.end(), {
        {N, QStringLiteral("Quantidade Dias Afastamento")},
        {N, QStringLiteral("Valor - férias indenizadas")},
        {N, QStringLiteral("Valor - banco de horas")},
        {N, QStringLiteral("Quantitativo de competências (meses) - banco de horas")},
        {N, QStringLiteral("Valor - dissídio coletivo")},
        {N, QStringLiteral("Quantitativo de competências (meses) - dissídio coletivo")},
        {N, QStringLiteral("Valor - outras gratificações")},
        {N, QStringLiteral("Quantitativo de competências (meses) - outras gratificações")},
        {N, QStringLiteral("Valor - multa por rescisão sem justa causa")},
        {N, QStringLiteral("CNPJ - contribuição associativa ( primeira ocorrência)")},
        {N, QStringLiteral("Valor - contribuição associativa (primeira ocorrência)")},
        {N, QStringLiteral("CNPJ - contribuição associativa (segunda ocorrência)")},
        {N, QStringLiteral("Valor - contribuição associativa (segunda ocorrência)")},
        {N, QStringLiteral("CNPJ - contribuição sindical")},
        {N, QStringLiteral("Valor - contribuição sindical")},
        {N, QStringLiteral("CNPJ - contribuição assistencial")},
        {N, QStringLiteral("Valor - contribuição assistencial")},
        {N, QStringLiteral("CNPJ - contribuição confederativa")},
        {N, QStringLiteral("Valor - contribuição confederativa")},
        {N, QStringLiteral("Município - local de trabalho")},
    });
    for (const auto& m : meses) c.push_back({N, QStringLiteral("Horas trabalhadas  - %1").arg(m)});
    c.push_back({A, QStringLiteral("Informação de uso exclusivo da empresa")});
    return c;
}

// The rows of a record type from the file's layout, with their descriptions.
std::vector<CampoFixo> DoLeiaute(char tipo, const std::vector<CampoCartela>& descricoes) {
    std::vector<CampoFixo> linhas;
    size_t i = 0;
    for (const auto& f : CamposLeiaute(tipo)) {
        const int ate = f.posicao + f.largura - 1;
        if (tipo == '1' && f.posicao == 279) {  // the linked CEI: two zeros, then its twelve digits
            linhas.push_back({279, 280, descricoes.at(i++)});
            linhas.push_back({281, ate, descricoes.at(i++)});
            continue;
        }
        linhas.push_back({f.posicao, ate, descricoes.at(i++)});
    }
    assert(i == descricoes.size());
    return linhas;
}

void Tabela(Secao& s, const std::vector<CampoFixo>& campos, int de, int ate) {
    for (const auto& c : campos)
        if (c.de >= de && c.ate <= ate) s.Campo(c.de, c.ate, c.campo);
}

void Nota(Secao& s, std::initializer_list<const char16_t*> linhas) {
    s.Espaco(2);
    bool primeira = true;
    for (const auto* l : linhas) {
        s.Linha(QString::fromUtf16(l), FonteRelatorio(8), primeira ? 0 : 5);
        primeira = false;
    }
}

void SecaoGeral(Secao& s) {
    const auto normal = FonteRelatorio(8.5);
    const auto negrito = FonteRelatorio(10, true);
    s.Linha(QStringLiteral("Informações gerais sobre o arquivo ZOVI2005"), negrito, 0, 6);
    // Each rule: its first line, then its continuation lines indented.
    const std::vector<QStringList> regras = {
        {QStringLiteral("1.  Especificação do arquivo ZOVI2005"), QStringLiteral("Tipo : texto"),
         QStringLiteral("Tamanho: 523 bytes"),
         QStringLiteral("Característica dos campos : caracter ASCII ( somente na faixa hexa de 20 até 7E, exceto aspas)"),
         QStringLiteral("Delimitadores permitidos : 0D0A ou 0D ou 0A ou sem delimitador"),
         QStringLiteral("Multivolume não permitido")},
        {QStringLiteral("2.  Não são aceitos arquivos com informações compactadas.")},
        {QStringLiteral("3.  Os campos de tipo Número, se não informados deverão ser totalmente preenchidos com zeros.Caso"),
         QStringLiteral("a informação seja menor que o tamanho especificado, deverá ser normalizado com zeros à esquerda."),
         QStringLiteral("Por exemplo: remuneração de janeiro (não há) = 000000000"),
         QStringLiteral("remuneração de fevereiro (100,00) = 000010000")},
        {QStringLiteral("4.  Os campos de tipo Alfanum ou Alfabético quando não informados deverão ser preenchidos com"),
         QStringLiteral("espaços (ASCII - hexa = 20). Caso a informação seja menor que o tamanho especificado, deverá ser"),
         QStringLiteral("normalizado com espaços à direita."),
         QStringLiteral("Por exemplo:Complemento(sala 302)='sala302                    '")},
        {QStringLiteral("5.  Estabelecimento ou sub-arquivo identifica a inscrição do empregador e um prefixo, e a relação de todos"),
         QStringLiteral("os empregados que mantiverem relação de emprego no ano-base'.")},
        {QStringLiteral("6.  Vínculo é identificado pelo código PIS/PASEP e a data de admissão de uma relação de emprego de"),
         QStringLiteral("um empregado com um empregador durante o ano-base."),
         QStringLiteral("Caso o empregado possua dois vínculos com o mesmo empregador na mesma data de admissão, a"),
         QStringLiteral("declaração destes vínculos deverá ser feita em prefixos diferentes (outro sub-arquivo) do mesmo empregador."),
         QStringLiteral("Caso o empregado possua dois vínculos com o mesmo empregador em datas de admissão diferentes"),
         QStringLiteral("poderão ser declarados no mesmo sub-arquivo.")},
        {QStringLiteral("7.  Os registros deverão ser classificados por: inscrição,prefixo,código do PIS/PASEP e data de admissão.")},
        {QStringLiteral("8.  A identificação do Nome/Firma/Razão Social e Endereço completo do responsável é obrigatória.")},
        {QStringLiteral("9.  O prefixo, quando utilizado, poderá ter qualquer combinação com os caracteres numéricos (0 a 9)"),
         QStringLiteral("e letras de A a Z (maiúsculas)."), QStringLiteral("Caso não seja utilizado normalizar com zeros.")},
    };
    for (const auto& regra : regras) {
        for (qsizetype i = 0; i < regra.size(); ++i) s.Linha(regra[i], normal, i == 0 ? 0 : 7, 4.2);
        s.Espaco(1.2);
    }
    s.Espaco(3);
    s.Linha(QStringLiteral("Estrutura lógica do arquivo"), negrito, 0, 6);
    for (const auto* l : {u"Registro tipo zero (abertura do arquivo)", u"Registro tipo um (estabelecimento 1 - ZOVI com empregados)",
                          u"Registro tipo dois (vínculo do estabelecimento 1)", u"", u"...",
                          u"Registro tipo dois (vínculo do estabelecimento 1)",
                          u"Registro tipo um (estabelecimento 2 - ZOVI sem empregados)",
                          u"Registro tipo um (estabelecimento 3 - ZOVI com empregados)",
                          u"Registro tipo dois (vínculo do estabelecimento 3)", u"", u"...",
                          u"Registro tipo dois (vínculo do estabelecimento 3)",
                          u"Registro tipo nove (fechamento do arquivo)"})
        s.Linha(QString::fromUtf16(l), normal, 7, 4.2);
}

}  // namespace

QString TrpCartela::VersaoPadrao() { return VersaoPrograma(); }

TrpCartela::TrpCartela(Banco& banco, const QString& versao) : Relatorio(QStringLiteral("Layout do arquivo ZOVI2005")) {
    DefinePagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 5, 8));
    DefineFonte(std::make_unique<FonteConsulta>(banco, std::vector<std::string>{"Select * from Cartela"},
                                                std::vector<std::string>{"CARTELA"}));
    paginaSemLinhas = false;

    auto& cab = CabecalhoPagina(22);
    cab.Texto({0, 0, kLargura, 7},
              NomeDeclaracao() + QStringLiteral(" - ") + NomeCompletoDeclaracao() + QStringLiteral(" - Ano-Base : 2005"),
              FonteRelatorio(14, true));
    cab.Texto({0, 8, kLargura, 5}, LinhaVersao(versao), FonteRelatorio(9));
    cab.Texto({0, 13, kLargura, 5}, QStringLiteral("Descrição do arquivo ZOVI2005"), FonteRelatorio(10, true));
    cab.Linha({0, 19}, {kLargura, 19}, 0.3);
    cab.Linha({0, 19.8}, {kLargura, 19.8}, 0.3);

    auto& rod = RodapePagina(8);
    rod.Linha({0, 1.5}, {kLargura, 1.5}, 0.2);
    rod.Dado({0, 3, 70, 4}, DataImpressao(), FonteRelatorio(7.5));
    rod.NumeroPagina({70, 3, 45, 4}, FonteRelatorio(7.5), Qt::AlignHCenter);
    rod.Texto({115, 3, 70, 4}, OrgaoEmissor(), FonteRelatorio(7.5), Qt::AlignRight);

    const auto um = DoLeiaute('1', CamposTipoUm());
    const auto dois = DoLeiaute('2', CamposTipoDois());
    auto& geral = Detalhe(0);
    Secao s1(geral);
    SecaoGeral(s1);

    // Each section after the first on a page of its own.
    Banda* anterior = &geral;
    const auto secao = [&](const QString& titulo) {
        auto& b = Filha(*anterior, 0);
        b.novaPagina = true;
        anterior = &b;
        Secao s(b);
        s.Cabecalho(titulo);
        return s;
    };
    auto s2 = secao(QStringLiteral("Registro tipo zero"));
    Tabela(s2, CamposTipoZero(), 1, 523);
    Nota(s2, {u"(1) Informe apenas números.Caso a informação seja menor que o tamanho especificado, alinhe à esquerda e",
              u"complete as demais posições com brancos(espaços) à direita."});
    auto s3 = secao(QStringLiteral("Registro tipo Um"));
    Tabela(s3, um, 1, 338);
    auto s4 = secao(QStringLiteral("Registro tipo Um"));
    Tabela(s4, um, 339, 523);
    Nota(s4, {u"(1) Informe apenas números. Caso a informação seja menor que tamanho especificado, alinhe à esquerda e",
              u"complete as demais posições com brancos (espaços) à direita."});
    Nota(s4, {u"(2) Informe a matrícula CEI que possui inscrição simultânea no CNPJ.",
              u"Exemplo: empresa de  construção civil com empregados em obras específicas."});
    auto s5 = secao(QStringLiteral("Registro tipo Dois"));
    Tabela(s5, dois, 1, 279);
    auto s6 = secao(QStringLiteral("Registro tipo Dois"));
    Tabela(s6, dois, 280, 523);
    auto s7 = secao(QStringLiteral("Registro tipo Nove"));
    Tabela(s7, CamposTipoNove(), 1, 523);
}

}  // namespace zovi::relatorios
