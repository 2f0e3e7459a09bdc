#include "messages/ErrosGerais.h"

#include <cstdio>

namespace zovi {

namespace {

// Between the heading and the error's own text.
const char* const kSeparador = "\n\n";

std::string TextoEntrada(const EntradaErro& entrada) {
    return entrada.texto.empty() ? ErroMotor::TextoCodigo(entrada.codigo) : entrada.texto;
}

MensagemErroGeral Fatal(const std::string& mensagem) {
    return {"Erro fatal." + std::string(kSeparador) + mensagem + TextoEncerramento(), false};
}

}  // namespace

std::string TextoEncerramento() {
    return "\n\nErro não previsto.\nContatar a CATZOVI comunicando todos os itens da mensagem.";
}

std::string TextoErroMotor(const ErroMotor& erro) {
    const auto& pilha = erro.Pilha();
    const std::uint16_t codigo = erro.Codigo();
    char numero[32];
    std::snprintf(numero, sizeof numero, "%6d : $%04X", static_cast<int>(codigo), static_cast<unsigned>(codigo));
    std::string texto = std::string("Erro BDE ") + numero;
    texto.append("\n").append(ErroMotor::TextoCategoria(erro.Categoria()));
    texto.append("\n").append(TextoEntrada(pilha.back()));
    // The entry before the last one usually names the operation that failed; the same code again adds nothing.
    if (pilha.size() > 1 && pilha[pilha.size() - 2].codigo != codigo)
        texto.append("\n").append(TextoEntrada(pilha[pilha.size() - 2]));
    return texto.append(TextoEncerramento());
}

bool ErroMotorSemMensagem(const ErroMotor& erro, bool focoEmListaDeConsulta) {
    return focoEmListaDeConsulta && erro.Codigo() == codigo_motor::ValorForaDaLista;
}

MensagemErroGeral MensagemErro(std::exception_ptr erro) {
    if (!erro) return Fatal("Erro desconhecido.");
    try {
        std::rethrow_exception(erro);
    } catch (const ErroMotor& e) {
        return {TextoErroMotor(e), true};
    } catch (const ErroBanco& e) {
        return {std::string("Erro DataBase.") + kSeparador + e.what() + TextoEncerramento(), true};
    } catch (const std::exception& e) {
        return Fatal(e.what());
    } catch (...) {
        return Fatal("Erro desconhecido.");
    }
}

}  // namespace zovi
