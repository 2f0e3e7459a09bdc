#include "TabelasPreenchidas.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "engine/Tabela.h"

namespace zovi::teste {

void PreencheTabela(Banco& banco, const std::string& tabela, int linhas, int inicio, const std::string& anoBase) {
    Tabela t(banco, tabela);
    t.Abre();
    std::optional<Transacao> tr;
    if (!banco.EmTransacao()) tr.emplace(banco);
    for (int i = inicio; i < inicio + linhas; ++i) {
        t.Acrescenta();
        for (const auto& c : t.Definicao().campos) {
            if (c.tipo != TipoCampo::Texto) continue;
            std::string v = std::to_string(static_cast<unsigned long long>(i) * 2654435761ull % 100000000000000ull);
            v = std::string(std::max<int>(0, c.largura - static_cast<int>(v.size())), '0') + v;
            t.PoeTexto(c.nome, v.substr(v.size() - static_cast<std::size_t>(c.largura)));
        }
        if (!anoBase.empty() && t.ExisteCampo("AnBase")) t.PoeTexto("AnBase", anoBase);
        t.Grava();
    }
    if (tr) tr->Confirma();
}

long ContaLinhas(Banco& banco, const std::string& tabela) {
    Tabela t(banco, tabela);
    t.Abre();
    return t.NumRegistros();
}

std::map<std::string, std::string> ArquivosDasTabelasDeclaracao(const std::filesystem::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& e : std::filesystem::directory_iterator(pasta)) {
        auto nome = e.path().filename().string();
        if (NomeMaiusculo(nome).rfind("BD8", 0) != 0) continue;
        std::ifstream f(e.path(), std::ios::binary);
        r[nome].assign(std::istreambuf_iterator<char>(f), {});
    }
    return r;
}

}  // namespace zovi::teste
