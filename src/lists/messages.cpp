#include "lists/messages.h"

#include <cerrno>
#include <cstring>

namespace minizol {

std::string ErrorText(int error) {
    switch (error) {
        case ENOENT:
            return "no existe";
        case EACCES:
        case EPERM:
            return "permiso denegado";
        case EISDIR:
            return "es un directorio";
        case ENOTDIR:
            return "una parte de la ruta no es un directorio";
        case EIO:
            return "error de entrada/salida";
        case ENOSPC:
            return "no queda espacio en el dispositivo";
        default:
            return std::strerror(error);
    }
}

std::string Quoted(std::string_view name) {
    return "«" + std::string(name) + "»";
}

}  // namespace minizol
