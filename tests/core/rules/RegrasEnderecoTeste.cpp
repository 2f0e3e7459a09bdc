#include <gtest/gtest.h>

#include "BaseReferencia.h"
#include "CasosRegra.h"
#include "rules/RegrasEndereco.h"

using namespace zovi;
using teste::Caso1;
using teste::Caso2;

namespace {

TEST(RegrasEndereco, CamposDeTexto) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaLogradouro), "", "0120"},
        {REGRA(fCriticaLogradouro), "RUA AAAA", "3100"},
        {REGRA(fCriticaLogradouro), "RU", "0010"},
        {REGRA(fCriticaLogradouro), "RUA D'OURO", "0020"},
        {REGRA(fCriticaLogradouro), "RUA DAS FLORES", "0000"},
        {REGRA(fCriticaNumeroLogradouro), "", "0030"},
        {REGRA(fCriticaNumeroLogradouro), "000123", "0000"},
        {REGRA(fCriticaNumeroLogradouro), "123", "0030"},
        {REGRA(fCriticaNumeroLogradouro), "12345A", "0040"},
        {REGRA(fCriticaComplemento), "", "0000"},
        {REGRA(fCriticaComplemento), "AP", "0000"},
        {REGRA(fCriticaComplemento), "APTO'1", "0020"},
        {REGRA(fCriticaComplemento), "BLOCO AAAA", "3100"},
        {REGRA(fCriticaBairro), "", "0000"},
        {REGRA(fCriticaBairro), "CE", "0010"},
        {REGRA(fCriticaBairro), "CENTRO", "0000"},
        {REGRA(fCriticaCep), "", "0081"},
        {REGRA(fCriticaCep), "0131010", "0030"},
        {REGRA(fCriticaCep), "0131010A", "0040"},
        {REGRA(fCriticaCep), "00000000", "0081"},
        {REGRA(fCriticaCep), "00131010", "0080"},
        {REGRA(fCriticaCep), "01310100", "0000"},
        {REGRA(fCriticaDdd), "", "3674"},
        {REGRA(fCriticaDdd), "00", "3674"},
        {REGRA(fCriticaDdd), "1A", "3674"},
        {REGRA(fCriticaDdd), "11", "0000"},
        {REGRA(fCriticaTelefone), "00000000", "3674"},
        {REGRA(fCriticaTelefone), "12345678", "0000"},
        {REGRA(fCriticaEmail), "", "0000"},
        {REGRA(fCriticaEmail), "a@b.com", "0000"},
        {REGRA(fCriticaEmail), "ab.com", "3627"},
        {REGRA(fCriticaEmail), "a'b@c", "0020"},
    });
    teste::Confere(std::vector<Caso2>{
        {REGRA(fCriticaNumeroComplemento), "000000", "", "0120"},
        {REGRA(fCriticaNumeroComplemento), "", "", "0120"},
        {REGRA(fCriticaNumeroComplemento), "000000", "FUNDOS", "0000"},
        {REGRA(fCriticaNumeroComplemento), "000010", "", "0000"},
        {REGRA(fCriticaDddUf), "11", "35", "0000"},
        {REGRA(fCriticaDddUf), "21", "35", "0000"},
        {REGRA(fCriticaDddUf), "20", "35", "0402"},
        {REGRA(fCriticaDddUf), "61", "53", "0000"},
        {REGRA(fCriticaDddUf), "62", "53", "0402"},
        {REGRA(fCriticaDddUf), "36", "31", "0402"},
        {REGRA(fCriticaDddUf), "00", "35", "0000"},
        {REGRA(fCriticaDddUf), "1A", "35", "0000"},
        {REGRA(fCriticaDddUf), "20", "", "0000"},
        {REGRA(fCriticaDddUf), "20", "99", "0000"},  // a state without a list accepts every area code
        {REGRA(fCriticaDddTelefone), "", "", "3102"},
        {REGRA(fCriticaDddTelefone), "00", "00000000", "3102"},
        {REGRA(fCriticaDddTelefone), "11", "", "3101"},
        {REGRA(fCriticaDddTelefone), "", "12345678", "3101"},
        {REGRA(fCriticaDddTelefone), "11", "12345678", "0000"},
        {REGRA(fCriticaCepFaixaUf), "1234567A", "3550308", "0000"},
        {REGRA(fCriticaCepFaixaUf), "70640000", "5300108", "0000"},
        {REGRA(fCriticaCepFaixaUf), "73499999", "5300108", "0000"},
        {REGRA(fCriticaCepFaixaUf), "73500000", "5300108", "0082"},
        {REGRA(fCriticaCepFaixaUf), "09000500", "3550308", "0000"},
        {REGRA(fCriticaCepFaixaUf), "09001000", "3550308", "0082"},
        {REGRA(fCriticaCepFaixaUf), "59950000", "2400000", "0000"},
        {REGRA(fCriticaCepFaixaUf), "12345678", "9900000", "0082"},  // a state without exceptions accepts none
    });
}

TEST(RegrasEndereco, Datas) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaDataGeracao), "", "0030"},
        {REGRA(fCriticaDataGeracao), "0101200A", "0040"},
        {REGRA(fCriticaDataGeracao), "00000000", "0420"},
        {REGRA(fCriticaDataGeracao), "31022006", "0421"},
        {REGRA(fCriticaDataGeracao), "31122005", "0420"},
        {REGRA(fCriticaDataGeracao), "01012006", "0000"},
        {REGRA(fCriticaDataGeracao), "31122006", "0000"},
        {REGRA(fCriticaDataGeracao), "01012007", "0423"},
    });
    struct Caso { bool retificacao; std::string data, esperado; };
    const std::vector<Caso> casos = {
        {false, "00000000", "0000"}, {false, "", "0030"},         {false, "01012006", "0411"},
        {true, "00000000", "0410"},  {true, "31022006", "0412"},  {true, "31122005", "0410"},
        {true, "15032006", "0000"},  {true, "01012007", "0413"},  {true, "", "0030"},
        {true, "1503200", "0030"}};
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaDataRetificacao(c.retificacao, c.data), c.esperado) << c.retificacao << " " << c.data;
}

class MunicipioCep : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        base_ = new teste::BaseReferencia;
        auto& b = *base_;
        b.Municipio("3550308", "SAO PAULO", "", "1");
        b.Insere("TB8FXCEP", {{"CoMunicipio", "3550308"}, {"CoCep1Inicial", "01000"}, {"CoCep1Final", "05999"},
                              {"CoCep2Inicial", "08000"}, {"CoCep2Final", "08499"}});
        b.Municipio("3550400", "FAIXA SEM REGISTRO", "", "1");
        b.Municipio("3500105", "ADAMANTINA", "17800", "0");
        b.Municipio("3599999", "SEM CEP", "", "0");
        b.Municipio("3300100", "ANGRA DOS REIS", "23900", "0");
        b.Municipio("5107107", "VILA BELA DA SANTISSIMA TRINDADE", "78245", "0");
        b.Uf("35", "SP");
        b.Uf("33", "RJ");
        b.Uf("53", "DF");
        b.Insere("TBUFCEP", {{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}});
        b.Insere("TBUFCEP", {{"CoUf", "33"}, {"IdUf", "1"}, {"CoCepInicial", "20000"}, {"CoCepFinal", "28999"}});
        ref_ = new Referencias(b.Carrega());
    }
    static void TearDownTestSuite() {
        delete ref_;
        delete base_;
    }
    static teste::BaseReferencia* base_;
    static Referencias* ref_;
};
teste::BaseReferencia* MunicipioCep::base_ = nullptr;
Referencias* MunicipioCep::ref_ = nullptr;

TEST_F(MunicipioCep, CodigoENome) {
    struct Caso { std::string codigo, esperado; bool acha; };
    const std::vector<Caso> codigos = {{"", "0092", false},       {"355030", "0030", false}, {"355030A", "0040", false},
                                       {"0000000", "0092", false}, {"9999999", "0090", false}, {"3550308", "0000", true}};
    for (const auto& c : codigos) {
        const Municipio* achado = ref_->BuscaMunicipio("3500105");  // stale state must be replaced
        EXPECT_EQ(fCriticaCodigoMunicipio(*ref_, c.codigo, &achado), c.esperado) << c.codigo;
        EXPECT_EQ(achado != nullptr, c.acha) << c.codigo;
    }
    const Municipio* sp = ref_->BuscaMunicipio("3550308");
    const Municipio* vila = ref_->BuscaMunicipio("5107107");
    struct Nome { std::string nome; const Municipio* m; std::string esperado; };
    const std::vector<Nome> nomes = {
        {"", sp, "0093"},           {"SA", sp, "0010"},        {"SAO PAULO", sp, "0000"},
        {"SAO PAULA", sp, "3666"},  {"sao paulo", sp, "3666"}, {"SAO PAULO", nullptr, "0000"},
        {"VILA BELA DA SANTISSIMA TRINDA", vila, "0000"},  // the reference name cut at the field's 30 characters
        {"VILA BELA DA SANTISSIMA", vila, "3666"}};
    for (const auto& c : nomes) EXPECT_EQ(fCriticaNomeMunicipio(c.nome, c.m), c.esperado) << c.nome;
}

TEST_F(MunicipioCep, Uf) {
    const Uf* uf = nullptr;
    EXPECT_EQ(fCriticaUf(*ref_, "", &uf), "0101");
    EXPECT_EQ(fCriticaUf(*ref_, "00", &uf), "0101");
    EXPECT_EQ(fCriticaUf(*ref_, "XX", &uf), "0100");
    EXPECT_EQ(uf, nullptr);
    EXPECT_EQ(fCriticaUf(*ref_, "sp", &uf), "0000");
    ASSERT_NE(uf, nullptr);
    EXPECT_EQ(uf->codigo, "35");
    struct Caso { std::string municipio, sigla, esperado; };
    const std::vector<Caso> casos = {{"3550308", "SP", "0000"}, {"3550308", "RJ", "0091"}, {"", "RJ", "0000"},
                                     {"0000000", "RJ", "0000"}, {"3550308", "", "0000"},   {"9900000", "RJ", "0000"}};
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaMunicipioUf(*ref_, c.municipio, c.sigla), c.esperado) << c.municipio << " " << c.sigla;
}

TEST_F(MunicipioCep, CepDoMunicipio) {
    struct Caso { std::string cep, municipio; bool tolerante; std::string esperado; };
    const std::vector<Caso> casos = {
        {"", "3550308", false, "0000"},
        {"00000000", "3550308", false, "0000"},
        {"01310100", "", false, "0000"},
        {"01310100", "0000000", false, "0000"},
        {"01310100", "9999999", false, "0000"},  // unknown municipality: the code rule reports it
        // Municipality judged by its two ranges, then by the state's exceptions.
        {"01310100", "3550308", false, "0000"},
        {"01000000", "3550308", false, "0000"},
        {"05999999", "3550308", false, "0000"},
        {"08000000", "3550308", false, "0000"},
        {"08499999", "3550308", false, "0000"},
        {"08500000", "3550308", false, "0082"},
        {"09000123", "3550308", false, "0000"},
        {"12345678", "3550308", false, "0000"},
        {"01310100", "3550400", false, "0082"},  // ranges expected but missing
        // Municipality judged by its own CEP prefix.
        {"17800000", "3500105", false, "0000"},
        {"17800999", "3500105", false, "0000"},
        {"17801000", "3500105", false, "0000"},  // inside the state's exception range
        {"05000000", "3500105", false, "0082"},
        {"05000000", "3500105", true, "0082"},
        // Municipality without any CEP: lenient in the run, the state's exceptions in the forms.
        {"05000000", "3599999", true, "0000"},
        {"05000000", "3599999", false, "0082"},
        {"12000000", "3599999", false, "0000"},
        {"23900000", "3300100", false, "0000"},
        {"27600123", "3300100", false, "0000"},
        {"27601000", "3300100", false, "0082"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaCepMunicipio(*ref_, c.cep, c.municipio, c.tolerante), c.esperado)
            << c.cep << " " << c.municipio << " " << c.tolerante;
}

TEST_F(MunicipioCep, CepDaUf) {
    struct Caso { std::string cep, uf, esperado; };
    const std::vector<Caso> casos = {
        {"", "35", "0000"},         {"01310100", "", "0000"},   {"01310100", "00", "0000"},
        {"0131010A", "35", "0000"}, {"01310100", "35", "0000"}, {"19999999", "35", "0000"},
        {"20000000", "35", "0083"}, {"20000000", "33", "0000"}, {"01310100", "99", "0083"}};
    for (const auto& c : casos) EXPECT_EQ(fCriticaCepUf(*ref_, c.cep, c.uf), c.esperado) << c.cep << " " << c.uf;
}

}  // namespace
