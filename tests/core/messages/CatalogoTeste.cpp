#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "PastaTeste.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"

using namespace zovi;
using zovi::teste::PastaFontes;
using zovi::teste::PastaTeste;

namespace fs = std::filesystem;

namespace {

// Four-digit string literals of the sources that are values, not message codes.
const std::set<std::string> kNaoMensagens = {
    "0000",                  // "no remark", and zero-filled fields
    "2004", "2005", "2006",  // base years
    "1031", "2062",          // legal-nature codes
    "3112", "1231",          // 31 December as ddmm and mmdd
};

struct Ocorrencia {
    std::string arquivo;
    int linha;
};

// String literals of a C++ source with their line numbers; comments and character
// literals are skipped, so a code quoted in a comment is not taken for a use.
std::vector<std::pair<std::string, int>> Literais(const std::string& fonte) {
    std::vector<std::pair<std::string, int>> r;
    int linha = 1;
    for (size_t i = 0; i < fonte.size(); ++i) {
        const char c = fonte[i];
        if (c == '\n') {
            ++linha;
        } else if (c == '/' && i + 1 < fonte.size() && fonte[i + 1] == '/') {
            while (i < fonte.size() && fonte[i] != '\n') ++i;
            --i;
        } else if (c == '/' && i + 1 < fonte.size() && fonte[i + 1] == '*') {
            for (i += 2; i + 1 < fonte.size() && !(fonte[i] == '*' && fonte[i + 1] == '/'); ++i)
                if (fonte[i] == '\n') ++linha;
            ++i;
        } else if (c == '"' || c == '\'') {
            std::string conteudo;
            for (++i; i < fonte.size() && fonte[i] != c && fonte[i] != '\n'; ++i) {
                if (fonte[i] == '\\' && i + 1 < fonte.size()) conteudo += fonte[i++];
                conteudo += fonte[i];
            }
            if (c == '"') r.emplace_back(conteudo, linha);
        }
    }
    return r;
}

bool QuatroDigitos(const std::string& s) {
    return s.size() == 4 && s.find_first_not_of("0123456789") == std::string::npos;
}

std::map<std::string, std::vector<Ocorrencia>> CodigosNasFontes() {
    std::map<std::string, std::vector<Ocorrencia>> codigos;
    for (const auto& e : fs::recursive_directory_iterator(PastaFontes() / "src")) {
        const auto ext = e.path().extension();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        for (const auto& [literal, linha] : Literais(ss.str()))
            if (QuatroDigitos(literal) && !kNaoMensagens.count(literal))
                codigos[literal].push_back({fs::relative(e.path(), PastaFontes()).string(), linha});
    }
    return codigos;
}

class CatalogoTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    Banco banco;
    void SetUp() override { banco.Abre("Zovi2005", {pasta.Parametro()}); }
};

TEST_F(CatalogoTeste, TodoCodigoUsadoNasFontesEstaNoCatalogo) {
    CatalogoMensagens catalogo(banco);
    const auto codigos = CodigosNasFontes();
    ASSERT_FALSE(codigos.empty());
    for (const auto& [codigo, usos] : codigos)
        EXPECT_NE(catalogo.Busca(codigo), nullptr)
            << codigo << " (" << usos.front().arquivo << ":" << usos.front().linha
            << ") has no row in data/tabelas/TB8MSG.csv; add one, or list the value in kNaoMensagens when it is "
               "not a message code";
}

TEST_F(CatalogoTeste, CadaLinhaTemTipoValidoETexto) {
    Tabela t(banco, "TB8MSG");
    t.Abre();
    long linhas = 0;
    for (t.Primeiro(); !t.Fim(); t.Proximo(), ++linhas) {
        const std::string codigo = t.Texto("NuMensagem");
        EXPECT_TRUE(TipoDialogoMensagem(t.Texto("TpMensagem"))) << codigo << ": kind " << t.Texto("TpMensagem");
        EXPECT_FALSE(t.Texto("TxMensagem").empty()) << codigo << " has no text";
    }
    EXPECT_GT(linhas, 300);
}

TEST_F(CatalogoTeste, PerguntasSaoConfirmacoes) {
    // Callers act on the answer to these (copy data, delete employees, reuse a record):
    // shown as anything but a confirmation they would never get a "No".
    CatalogoMensagens catalogo(banco);
    for (const char* codigo : {"1001", "1005", "1050", "1051"}) {
        const Mensagem* m = catalogo.Busca(codigo);
        ASSERT_NE(m, nullptr) << codigo;
        EXPECT_EQ(m->tipo, "CNF") << codigo;
    }
}

TEST(Literais, IgnoraComentariosECaracteres) {
    const auto r = Literais("// \"1111\"\nx = \"2222\"; /* \"3333\"\n */ c = '\"'; s = \"a\\\"b\";\n");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (std::pair<std::string, int>{"2222", 2}));
    EXPECT_EQ(r[1], (std::pair<std::string, int>{"a\\\"b", 3}));
}

}  // namespace
