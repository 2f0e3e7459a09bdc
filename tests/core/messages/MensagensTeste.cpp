#include <gtest/gtest.h>

#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "engine/Tabela.h"
#include "messages/ErrosGerais.h"
#include "messages/Mensagens.h"

using namespace zovi;
using zovi::teste::InteracaoRoteirizada;
using zovi::teste::PastaTeste;

namespace {

class MensagensTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    Banco banco;
    void SetUp() override { banco.Abre("Zovi2005", {pasta.Parametro()}); }

    std::string TextoCatalogo(const std::string& codigo) {
        CatalogoMensagens catalogo(banco);
        const Mensagem* m = catalogo.Busca(codigo);
        return m ? m->texto : "";
    }

    void AcrescentaEstabelecimento(const std::string& marcador) {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", "12345678000195");
        t.PoeTexto("NuPrefixoEstabelecimento", "01");
        t.PoeTexto("NoRazaoEstabelecimento", "COMERCIO EXEMPLO LTDA");
        t.PoeTexto("InInscrEstabelecimento", "1");
        t.PoeTexto("InOpcaoAberta", marcador);
        t.Grava();
    }

    std::string Marcador() {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        EXPECT_TRUE(t.BuscaChave({"2005", "12345678000195", "01"}));
        return t.Texto("InOpcaoAberta");
    }
};

TEST_F(MensagensTeste, ConfirmacaoRespondidaComNaoDevolveMrNo) {
    CatalogoMensagens catalogo(banco);
    InteracaoRoteirizada dialogos({Resposta::Nao, Resposta::Cancela});
    Mensagens mensagens(catalogo, dialogos);

    EXPECT_EQ(mensagens.MostraMensagem("1005"), "mrNo");
    EXPECT_EQ(mensagens.MostraMensagem("1005"), "mrCancel");  // window closed
    ASSERT_EQ(dialogos.mostradas.size(), 2u);
    EXPECT_EQ(dialogos.mostradas[0].tipo, TipoDialogo::Confirmacao);
    EXPECT_EQ(dialogos.mostradas[0].texto, catalogo.Busca("1005")->texto);
}

TEST_F(MensagensTeste, CodigoAusenteTipoDesconhecidoESemObservacao) {
    {
        Tabela t(banco, "TB8MSG");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("NuMensagem", "9998");
        t.PoeTexto("TpMensagem", "XYZ");
        t.PoeTexto("TxMensagem", "sem diálogo");
        t.Grava();
    }
    CatalogoMensagens catalogo(banco);
    InteracaoRoteirizada dialogos;
    Mensagens mensagens(catalogo, dialogos);

    EXPECT_EQ(mensagens.MostraMensagem("0000"), "");
    EXPECT_EQ(mensagens.MostraMensagem("9998"), "");
    EXPECT_TRUE(dialogos.mostradas.empty());

    // A code the catalogue lacks is never silent: the user learns which one.
    EXPECT_EQ(mensagens.MostraMensagem("9999"), "mrOk");
    ASSERT_EQ(dialogos.mostradas.size(), 1u);
    EXPECT_EQ(dialogos.mostradas[0].tipo, TipoDialogo::Erro);
    EXPECT_NE(dialogos.mostradas[0].texto.find("9999"), std::string::npos);
}

TEST_F(MensagensTeste, ConfirmaInterrupcao) {
    CatalogoMensagens catalogo(banco);
    InteracaoRoteirizada dialogos({Resposta::Sim, Resposta::Nao});
    Mensagens mensagens(catalogo, dialogos);
    EXPECT_TRUE(mensagens.ConfirmaInterrupcao());
    EXPECT_FALSE(mensagens.ConfirmaInterrupcao());
    EXPECT_EQ(dialogos.mostradas[0].texto, "Deseja interromper?");
}

TEST_F(MensagensTeste, VerificaOpcaoAbertaMostraAOperacaoELimpaOMarcador) {
    AcrescentaEstabelecimento("3");
    CatalogoMensagens catalogo(banco);
    InteracaoRoteirizada dialogos;
    Mensagens mensagens(catalogo, dialogos);

    VerificaOpcaoAberta(banco, mensagens, "2005", "12345678000195", "01");
    ASSERT_EQ(dialogos.mostradas.size(), 1u);
    EXPECT_EQ(dialogos.mostradas[0].tipo, TipoDialogo::Informacao);
    EXPECT_EQ(dialogos.mostradas[0].texto,
              "12.345.678/0001-95  - 01  - COMERCIO EXEMPLO LTDA   \n" + catalogo.Busca("0502")->texto);
    EXPECT_EQ(Marcador(), "");

    // Cleared: the next opening says nothing.
    VerificaOpcaoAberta(banco, mensagens, "2005", "12345678000195", "01");
    VerificaOpcaoAberta(banco, mensagens, "2005", "99999999000191", "01");
    EXPECT_EQ(dialogos.mostradas.size(), 1u);
}

TEST_F(MensagensTeste, MarcadorDesconhecidoEhLimpoSemAviso) {
    AcrescentaEstabelecimento("2");
    CatalogoMensagens catalogo(banco);
    InteracaoRoteirizada dialogos;
    Mensagens mensagens(catalogo, dialogos);
    VerificaOpcaoAberta(banco, mensagens, "2005", "12345678000195", "01");
    EXPECT_TRUE(dialogos.mostradas.empty());
    EXPECT_EQ(Marcador(), "");
}

TEST(ErrosGerais, ErroMotorMostraOTextoDeUmCodigoRepetidoUmaVez) {
    const std::string codigo = ErroMotor::TextoCodigo(codigo_motor::ViolacaoChave);
    const ErroMotor repetido({{codigo_motor::ViolacaoChave, codigo}, {codigo_motor::ViolacaoChave, codigo}});
    EXPECT_EQ(TextoErroMotor(repetido), "Erro BDE   9729 : $2601\n" +
                                            ErroMotor::TextoCategoria(0x26) + "\n" + codigo + TextoEncerramento());

    const ErroMotor doisCodigos({{codigo_motor::ErroEntradaSaida, "E/S"}, {codigo_motor::ValorForaDaLista, "lista"}});
    EXPECT_EQ(TextoErroMotor(doisCodigos), "Erro BDE  10756 : $2A04\n" + ErroMotor::TextoCategoria(0x2A) +
                                               "\nlista\nE/S" + TextoEncerramento());
}

TEST(ErrosGerais, MensagemPorEspecieDeErro) {
    const auto motor = MensagemErro(std::make_exception_ptr(ErroMotor(codigo_motor::TabelaOcupada, "BD8EMP")));
    EXPECT_TRUE(motor.bipe);
    EXPECT_EQ(motor.texto.rfind("Erro BDE  10243 : $2803\n", 0), 0u);

    const auto banco = MensagemErro(std::make_exception_ptr(ErroBanco("Campo inexistente: Xy")));
    EXPECT_TRUE(banco.bipe);
    EXPECT_EQ(banco.texto, "Erro DataBase.\n\nCampo inexistente: Xy" + TextoEncerramento());

    const auto fatal = MensagemErro(std::make_exception_ptr(std::runtime_error("falhou")));
    EXPECT_FALSE(fatal.bipe);
    EXPECT_EQ(fatal.texto, "Erro fatal.\n\nfalhou\n\nErro não previsto.\n"
                           "Contatar a CATZOVI comunicando todos os itens da mensagem.");
    EXPECT_EQ(MensagemErro(std::make_exception_ptr(42)).texto.rfind("Erro fatal.", 0), 0u);
}

TEST(ErrosGerais, ValorForaDaListaSoSilenciaComFocoNaLista) {
    const ErroMotor lista(codigo_motor::ValorForaDaLista, "");
    EXPECT_TRUE(ErroMotorSemMensagem(lista, true));
    EXPECT_FALSE(ErroMotorSemMensagem(lista, false));
    EXPECT_FALSE(ErroMotorSemMensagem(ErroMotor(codigo_motor::ViolacaoChave, ""), true));
}

TEST(Mensagens, NomesDosBotoes) {
    EXPECT_EQ(NomeBotao(Resposta::Nenhuma), "Erro de Memoria");
    EXPECT_EQ(NomeBotao(Resposta::Ok), "mrOk");
    EXPECT_EQ(NomeBotao(Resposta::Ignora), "mrIgnore");
    EXPECT_EQ(NomeBotao(Resposta::Sim), "mrYes");
    EXPECT_EQ(NomeBotao(Resposta::Nao), "mrNo");
}

}  // namespace
