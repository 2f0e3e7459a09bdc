#include "BaseReferencia.h"

#include "engine/Tabela.h"

namespace zovi::teste {

BaseReferencia::BaseReferencia() {
    banco.Abre("Zovi2005", {pasta.Parametro()});
    for (const char* t : {"TB8MUNIC", "TBUF", "TBUFCEP", "TB8FXCEP", "TB8CNAE", "TB8NATJU", "TB8CBO", "TB8NACIO",
                          "TB8INSTR", "TB8TPADM", "TB8RACA", "TB8VINC", "TB8DESL", "TB8TPSAL", "TB8AFAST"})
        banco.EsvaziaTabela(t);
}

void BaseReferencia::Insere(const std::string& tabela,
                            std::initializer_list<std::pair<const char*, std::string>> campos) {
    Tabela t(banco, tabela);
    t.Abre();
    t.Acrescenta();
    for (const auto& [campo, valor] : campos) t.PoeTexto(campo, valor);
    t.Grava();
}

void BaseReferencia::Municipio(const std::string& codigo, const std::string& nome, const std::string& cep,
                               const std::string& faixa) {
    Insere("TB8MUNIC", {{"CoMunicipio", codigo}, {"NoMunicipio", nome}, {"CoCep", cep}, {"InFaixa", faixa}});
}

void BaseReferencia::Uf(const std::string& codigo, const std::string& sigla) {
    Insere("TBUF", {{"CoUf", codigo}, {"SgUf", sigla}, {"NoUf", sigla}});
}

}  // namespace zovi::teste
