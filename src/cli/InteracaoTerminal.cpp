#include "InteracaoTerminal.h"

#include <unistd.h>

#include <iostream>
#include <string>

#include "platform/Texto1252.h"

namespace zovi {

void Escreve(const std::string& texto1252, bool erro) {
    (erro ? std::cerr : std::cout) << Cp1252ParaUtf8(texto1252) << std::endl;
}

Resposta InteracaoTerminal::Mostra(TipoDialogo tipo, const std::string& texto) {
    switch (tipo) {
        case TipoDialogo::Confirmacao: {
            Escreve(texto + " [s/n]");
            if (simParaTudo_) return Resposta::Sim;
            std::string resposta;
            if (!std::getline(std::cin, resposta)) return Resposta::Nao;
            return (!resposta.empty() && (resposta[0] == 's' || resposta[0] == 'S')) ? Resposta::Sim : Resposta::Nao;
        }
        case TipoDialogo::Aviso: Escreve("Atenção: " + texto, true); break;
        case TipoDialogo::Erro: Escreve("Erro: " + texto, true); break;
        case TipoDialogo::Informacao: Escreve(texto); break;
    }
    return Resposta::Ok;
}

Resposta InteracaoTerminal::MostraOkCancela(TipoDialogo tipo, const std::string& texto) {
    Mostra(tipo, texto);
    Escreve("[Enter = OK, c = Cancela]");
    std::string resposta;
    if (!std::getline(std::cin, resposta)) {
        Escreve("Sem resposta no terminal: execução interrompida.", true);
        return Resposta::Aborta;
    }
    return (!resposta.empty() && (resposta[0] == 'c' || resposta[0] == 'C')) ? Resposta::Cancela : Resposta::Ok;
}

void InteracaoTerminal::Progresso(long posicao, long maximo) {
    if (!isatty(STDOUT_FILENO) || maximo <= 0) return;
    int pct = static_cast<int>(posicao * 100 / maximo);
    if (pct == ultimoPercentual_) return;
    ultimoPercentual_ = pct;
    std::string barra(static_cast<size_t>(pct / 2), '#');
    std::cout << "\r[" << barra << std::string(50 - barra.size(), ' ') << "] " << pct << "%" << std::flush;
    if (pct >= 100) std::cout << std::endl;
}

}  // namespace zovi
